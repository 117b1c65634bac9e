#include "tests/ui/window_test.h"

#include <cstdio>

#include "ui/main_window.h"

void pump_messages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            process_message(message);
        }
    }
}

std::wstring window_text(HWND window) {
    static wchar_t text[16384];
    text[0] = L'\0';
    GetWindowTextW(window, text, 16384);
    return text;
}

namespace {

BOOL CALLBACK collect_child(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

}  // namespace

std::vector<HWND> child_windows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&children));
    return children;
}

RECT client_rect_of(HWND child) {
    RECT box;
    GetWindowRect(child, &box);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

std::wstring clipboard_text() {
    std::wstring text = L"<none>";
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) {
        Sleep(20);
    }
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data != nullptr) {
        const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
        if (chars != nullptr) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void put_on_clipboard(const wchar_t* text) {
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) {
        Sleep(20);
    }
    EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

ClipboardGuard::ClipboardGuard() : mutex_(CreateMutexW(nullptr, FALSE, L"VeltraneUiTestsClipboard")) {
    WaitForSingleObject(mutex_, 60000);
}

ClipboardGuard::~ClipboardGuard() {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

Canvas::Canvas(int32_t width, int32_t height) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    old_bitmap_ = SelectObject(dc_, bitmap_);
    clear(UNPAINTED);
}

Canvas::~Canvas() {
    SelectObject(dc_, old_bitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::at(int32_t x, int32_t y) const {
    GdiFlush();
    const uint32_t pixel = bits_[static_cast<size_t>(y) * width_ + x];  // 0x00RRGGBB
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool Canvas::all(const RECT& box, COLORREF colour) const {
    return count_other(box, colour) == 0;
}

int32_t Canvas::count_other(const RECT& box, COLORREF colour) const {
    int32_t count = 0;
    for (int32_t y = box.top; y < box.bottom; ++y) {
        for (int32_t x = box.left; x < box.right; ++x) {
            if (at(x, y) != colour) {
                ++count;
            }
        }
    }
    return count;
}

void Canvas::clear(COLORREF colour) {
    const uint32_t pixel = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int32_t i = 0; i < width_ * height_; ++i) {
        bits_[i] = pixel;
    }
}

std::string colour_name(COLORREF colour) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

void MainWindowTest::TearDown() {
    if (main_ != nullptr && IsWindow(main_)) {
        DestroyWindow(main_);
    }
    pump_messages();  // drops the WM_QUIT that WM_DESTROY posted
}

void MainWindowTest::open(const ToolDefinition& tool) {
    main_ = create_main_window(GetModuleHandleW(nullptr), tool);
    ASSERT_NE(main_, nullptr);
    show_main_window();
    pump_messages();
}

void MainWindowTest::set_field(int32_t i, const wchar_t* text) {
    SetWindowTextW(field(i), text);
}

void MainWindowTest::command(int32_t id) {
    SendMessageW(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main_, id)));
    pump_messages();
}

void MainWindowTest::press(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    pump_messages();
}
