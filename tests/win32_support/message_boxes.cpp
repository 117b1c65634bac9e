// Finds each message box of this thread as it comes up, copies its text,
// caption, icon and owner, and presses OK. The CBT hook sees the box when
// it is activated, after its dialog procedure has filled in the texts; the
// thread timer is a second net for a box that comes up without activation.
// A window property marks a box already recorded, so neither path records
// a box twice.
#include "tests/win32_support/message_boxes.h"

namespace {

const wchar_t RECORDED_MARK[] = L"VeltraneRecordedBox";
constexpr UINT SCAN_INTERVAL_MS = 50;

struct BoxRecorder {
    HHOOK hook;
    UINT_PTR timer;
    int32_t count;
    RecordedBox boxes[MAX_RECORDED_BOXES];
};

BoxRecorder recorder;

bool is_dialog_window(HWND window) {
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    return lstrcmpW(class_name, L"#32770") == 0;
}

bool is_static_control(HWND window) {
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    return lstrcmpiW(class_name, L"Static") == 0;
}

bool is_icon_static(HWND control) {
    return (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

UINT icon_style_of(HWND box) {
    struct KnownIcon {
        LPCWSTR resource;
        UINT style;
    };
    // The system icons by number (IDI_* without the narrow/wide macro
    // switch); message boxes show these shared icons.
    const KnownIcon KNOWN_ICONS[] = {
        {MAKEINTRESOURCEW(32516), MB_ICONINFORMATION},  // IDI_INFORMATION
        {MAKEINTRESOURCEW(32515), MB_ICONWARNING},      // IDI_WARNING
        {MAKEINTRESOURCEW(32513), MB_ICONERROR},        // IDI_ERROR
        {MAKEINTRESOURCEW(32514), MB_ICONQUESTION},     // IDI_QUESTION
    };
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!is_static_control(child) || !is_icon_static(child) ||
            (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) == 0) {
            continue;
        }
        HICON shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (shown == nullptr) {
            continue;
        }
        for (const KnownIcon& known : KNOWN_ICONS) {
            if (LoadIconW(nullptr, known.resource) == shown) {
                return known.style;
            }
        }
    }
    return 0;
}

// The message text: the static control with id 0xFFFF where the system
// uses it, otherwise the first static text control that holds text.
void copy_message_text(HWND box, wchar_t* text, int32_t capacity) {
    text[0] = L'\0';
    HWND message = GetDlgItem(box, 0xFFFF);
    if (message != nullptr && is_static_control(message) && !is_icon_static(message)) {
        GetWindowTextW(message, text, capacity);
        return;
    }
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (is_static_control(child) && !is_icon_static(child) &&
            GetWindowTextLengthW(child) > 0) {
            GetWindowTextW(child, text, capacity);
            return;
        }
    }
}

void record_and_close(HWND box) {
    if (!is_dialog_window(box) || GetPropW(box, RECORDED_MARK) != nullptr) {
        return;
    }
    SetPropW(box, RECORDED_MARK, reinterpret_cast<HANDLE>(1));
    if (recorder.count < MAX_RECORDED_BOXES) {
        RecordedBox& record = recorder.boxes[recorder.count];
        copy_message_text(box, record.text, RECORDED_TEXT_CAPACITY);
        record.caption[0] = L'\0';
        GetWindowTextW(box, record.caption, RECORDED_CAPTION_CAPACITY);
        record.icon = icon_style_of(box);
        record.owner = GetWindow(box, GW_OWNER);
    }
    ++recorder.count;
    // Posted, not sent: the box's modal loop picks it up once it runs, as
    // it would a click on OK.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

LRESULT CALLBACK on_cbt_event(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE) {
        record_and_close(reinterpret_cast<HWND>(wparam));
    }
    return CallNextHookEx(recorder.hook, code, wparam, lparam);
}

BOOL CALLBACK on_thread_window(HWND window, LPARAM) {
    if (IsWindowVisible(window)) {
        record_and_close(window);
    }
    return TRUE;
}

void CALLBACK on_scan_timer(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), on_thread_window, 0);
}

}  // namespace

void begin_recording_boxes() {
    end_recording_boxes();
    recorder.count = 0;
    recorder.hook = SetWindowsHookExW(WH_CBT, on_cbt_event, nullptr, GetCurrentThreadId());
    recorder.timer = SetTimer(nullptr, 0, SCAN_INTERVAL_MS, on_scan_timer);
}

void end_recording_boxes() {
    if (recorder.hook != nullptr) {
        UnhookWindowsHookEx(recorder.hook);
        recorder.hook = nullptr;
    }
    if (recorder.timer != 0) {
        KillTimer(nullptr, recorder.timer);
        recorder.timer = 0;
    }
}

int32_t recorded_box_count() {
    return recorder.count;
}

const RecordedBox& recorded_box(int32_t index) {
    return recorder.boxes[index];
}
