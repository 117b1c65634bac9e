#include "ui/main_window.h"

#include <cstring>

#include "engine/text.h"
#include "records/save_record.h"
#include "ui/commands.h"
#include "ui/controls.h"
#include "ui/paint.h"
#include "ui/ui.h"
#include "ui/window_state.h"
#include "ui/window_texts.h"

namespace {

HFONT make_font(int32_t height, int32_t weight, const wchar_t* face) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

// Fonts and the two brushes last for the process: made on the first window
// start only, never deleted.
void make_fonts_and_brushes(WindowState& state) {
    if (state.white_brush != nullptr) {
        return;
    }
    constexpr const wchar_t* UI_FACE = L"Microsoft YaHei UI";
    state.font_title = make_font(-27, 700, UI_FACE);
    state.font_caption = make_font(-14, 400, UI_FACE);
    state.font_label = make_font(-14, 400, UI_FACE);
    state.font_input = make_font(-15, 400, UI_FACE);
    state.font_verdict = make_font(-21, 700, UI_FACE);
    state.font_results = make_font(-15, 400, L"Consolas");
    state.font_button = make_font(-15, 400, UI_FACE);
    state.font_small = make_font(-12, 400, UI_FACE);
    state.white_brush = CreateSolidBrush(RGB(255, 255, 255));
    state.background_brush = CreateSolidBrush(PAGE_COLOUR);
}

void register_window_class(const WindowState& state) {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.style = 0;
    window_class.lpfnWndProc = main_window_proc;
    window_class.hInstance = state.app_instance;
    window_class.hIcon = LoadIconW(state.app_instance, MAKEINTRESOURCEW(1));
    window_class.hIconSm = nullptr;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));  // IDC_ARROW is narrow here
    window_class.hbrBackground = state.background_brush;
    window_class.lpszClassName = MAIN_WINDOW_CLASS;
    RegisterClassExW(&window_class);  // a failure shows as the failed creation
}

// Everything a window start clears: the state a fresh process has, apart
// from the fonts and brushes.
void clear_window_state(WindowState& state) {
    state.main_window = nullptr;
    state.verdict_level = 0;
    for (HWND& field : state.param_edits) {
        field = nullptr;
    }
    state.results_box = nullptr;
    state.verdict_line = nullptr;
    state.note_label = nullptr;
    state.last_report[0] = L'\0';
    state.copy_text[0] = L'\0';
    state.status_text[0] = L'\0';
    std::memset(state.input_values, 0, sizeof state.input_values);
}

int32_t centred(int32_t screen, int32_t size) {
    const int32_t edge = (screen - size) / 2;
    return edge < 0 ? 0 : edge;
}

LRESULT on_create(HWND window) {
    WindowState& state = edit_window_state();
    state.main_window = window;
    build_controls(window);
    text_copy(state.status_text, STATUS_TEXT_CAPACITY, READY_STATUS);
    return 0;
}

LRESULT on_get_min_max_info(MINMAXINFO* info) {
    info->ptMinTrackSize.x = TRACKING_WIDTH;
    info->ptMinTrackSize.y = TRACKING_HEIGHT;
    info->ptMaxTrackSize.x = TRACKING_WIDTH;
    info->ptMaxTrackSize.y = TRACKING_HEIGHT;
    return 0;
}

LRESULT on_paint(HWND window) {
    paint_main_window(window);
    return 0;
}

LRESULT on_draw_item(const DRAWITEMSTRUCT* item) {
    draw_command_button(*item);
    return 1;
}

LRESULT on_control_colour(UINT message, HDC dc, HWND control) {
    return reinterpret_cast<LRESULT>(set_control_colours(message, dc, control));
}

void save_command() {
    WindowState& state = edit_window_state();
    save_record(state.main_window, *state.shown_tool, state.input_values, state.last_report,
                state.status_text, STATUS_TEXT_CAPACITY);
}

// WM_COMMAND: only the control id counts; the notification code is ignored.
LRESULT on_command(HWND window, WPARAM wparam, LPARAM lparam) {
    switch (LOWORD(wparam)) {
    case IDC_COMPUTE: run_compute(); return 0;
    case IDC_SAVE: save_command(); return 0;
    case IDC_COPY: copy_result(); return 0;
    case IDC_RESET: reset_inputs(); return 0;
    case IDC_ABOUT: show_about(); return 0;
    default: return DefWindowProcW(window, WM_COMMAND, wparam, lparam);
    }
}

LRESULT on_destroy() {
    PostQuitMessage(0);
    return 0;
}

}  // namespace

HWND create_main_window(HINSTANCE instance, const ToolDefinition& tool) {
    WindowState& state = edit_window_state();
    clear_window_state(state);
    if (tool.param_count < 0 || tool.param_count > MAX_PARAMETERS) {
        return nullptr;  // the window and input_values have room for 16
    }
    state.app_instance = instance;
    state.shown_tool = &tool;
    make_fonts_and_brushes(state);
    register_window_class(state);

    RECT frame = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    AdjustWindowRect(&frame, MAIN_WINDOW_STYLE, FALSE);
    const int32_t width = frame.right - frame.left;
    const int32_t height = frame.bottom - frame.top;
    const int32_t x = centred(GetSystemMetrics(SM_CXSCREEN), width);
    const int32_t y = centred(GetSystemMetrics(SM_CYSCREEN), height);
    HWND window = CreateWindowExW(0, MAIN_WINDOW_CLASS, tool.name != nullptr ? tool.name : L"",
                                  MAIN_WINDOW_STYLE, x, y, width, height, nullptr, nullptr, instance,
                                  nullptr);
    state.main_window = window;
    return window;
}

void show_main_window() {
    const WindowState& state = window_state();
    ShowWindow(state.main_window, SW_SHOW);
    UpdateWindow(state.main_window);
    SetFocus(state.param_edits[0]);
}

bool divert_to_compute(const MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_F5)) {
        return false;
    }
    HWND main_window = window_state().main_window;
    if (main_window == nullptr || message.hwnd == nullptr || !IsChild(main_window, message.hwnd)) {
        return false;
    }
    run_compute();
    return true;
}

void process_message(const MSG& message) {
    if (divert_to_compute(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void run_message_loop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        process_message(message);
    }
}

int32_t run_main_window(HINSTANCE instance, const ToolDefinition& tool) {
    if (create_main_window(instance, tool) == nullptr) {
        return 1;
    }
    show_main_window();
    run_message_loop();
    return 0;
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: return on_create(window);
    case WM_GETMINMAXINFO: return on_get_min_max_info(reinterpret_cast<MINMAXINFO*>(lparam));
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return on_paint(window);
    case WM_DRAWITEM: return on_draw_item(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return on_control_colour(message, reinterpret_cast<HDC>(wparam),
                                 reinterpret_cast<HWND>(lparam));
    case WM_COMMAND: return on_command(window, wparam, lparam);
    case WM_DESTROY: return on_destroy();
    default: return DefWindowProcW(window, message, wparam, lparam);
    }
}
