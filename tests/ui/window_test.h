// What the window tests share: a fixture that opens the main window for a
// tool without running the loop, drives it with real messages, and reads
// back texts, the clipboard and pixels.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/tool.h"
#include "ui/window_state.h"

// Pumps every queued message of this thread through the loop's own turn
// (process_message), so Enter and F5 go through the diversion. A WM_QUIT
// is taken off the queue and dropped.
void pump_messages();

// The text of a window (up to 16 383 characters).
std::wstring window_text(HWND window);

// The children of `parent`, in no particular order.
std::vector<HWND> child_windows(HWND parent);

// A child's rectangle in its parent's client coordinates.
RECT client_rect_of(HWND child);

// Unicode text on the clipboard; "<none>" when there is none.
std::wstring clipboard_text();
void put_on_clipboard(const wchar_t* text);

// Held by every test that uses the clipboard: the clipboard is shared by
// all processes of the Wine prefix. The window suites run one at a time;
// the guard keeps any other test process that takes the clipboard out of
// their way.
class ClipboardGuard {
public:
    ClipboardGuard();
    ~ClipboardGuard();
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;

private:
    HANDLE mutex_;
};

// A 32-bit top-down DIB section selected into a memory DC, pre-filled with
// a colour that nothing of the window uses.
class Canvas {
public:
    static constexpr COLORREF UNPAINTED = RGB(255, 0, 255);
    Canvas(int32_t width, int32_t height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    COLORREF at(int32_t x, int32_t y) const;
    // Whether every pixel of (left, top, right, bottom) has `colour`.
    bool all(const RECT& box, COLORREF colour) const;
    // Number of pixels of the box that differ from `colour`.
    int32_t count_other(const RECT& box, COLORREF colour) const;
    void clear(COLORREF colour);

private:
    int32_t width_;
    int32_t height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_bitmap_;
    uint32_t* bits_;
};

std::string colour_name(COLORREF colour);

class MainWindowTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Creates and shows the main window for `tool` and pumps its messages.
    void open(const ToolDefinition& tool);
    HWND main() const { return main_; }
    const WindowState& state() const { return window_state(); }
    HWND field(int32_t i) const { return window_state().param_edits[i]; }
    HWND button(int32_t id) const { return GetDlgItem(main_, id); }
    void set_field(int32_t i, const wchar_t* text);
    // WM_COMMAND from the button with this id, as a click sends it.
    void command(int32_t id);
    // Posts WM_KEYDOWN of `key` to `target` and pumps it through the loop.
    void press(HWND target, WPARAM key);

private:
    HWND main_ = nullptr;
};
