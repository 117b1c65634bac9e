// What the main window draws itself: the client area, the owner-drawn
// command buttons and the colours of the child controls. Reads the window
// state, changes none of it. Win32 only.
#pragma once

#include <windows.h>

#include <cstdint>

// Colours of the window's look.
constexpr COLORREF PAGE_COLOUR = RGB(244, 247, 249);
constexpr COLORREF HEADER_COLOUR = RGB(0, 108, 150);
constexpr COLORREF ACCENT_COLOUR = RGB(0, 132, 176);
constexpr COLORREF TITLE_COLOUR = RGB(255, 255, 255);
constexpr COLORREF SUBTITLE_COLOUR = RGB(214, 236, 246);
constexpr COLORREF WEB_ADDRESS_COLOUR = RGB(190, 220, 235);
constexpr COLORREF PANEL_COLOUR = RGB(255, 255, 255);
constexpr COLORREF PANEL_BORDER_COLOUR = RGB(218, 226, 232);
constexpr COLORREF PANEL_CAPTION_COLOUR = RGB(0, 108, 150);
constexpr COLORREF CAPTION_RULE_COLOUR = RGB(228, 234, 238);
constexpr COLORREF FOOTER_COLOUR = RGB(236, 241, 244);
constexpr COLORREF STATUS_COLOUR = RGB(120, 132, 142);
constexpr COLORREF COMPUTE_FACE_COLOUR = RGB(0, 122, 168);
constexpr COLORREF COMPUTE_PRESSED_COLOUR = RGB(0, 100, 138);
constexpr COLORREF COMPUTE_BORDER_COLOUR = RGB(0, 106, 148);
constexpr COLORREF COMPUTE_CAPTION_COLOUR = RGB(255, 255, 255);
constexpr COLORREF BUTTON_FACE_COLOUR = RGB(255, 255, 255);
constexpr COLORREF BUTTON_PRESSED_COLOUR = RGB(226, 234, 240);
constexpr COLORREF BUTTON_BORDER_COLOUR = RGB(206, 216, 224);
constexpr COLORREF BUTTON_CAPTION_COLOUR = RGB(44, 56, 66);
constexpr COLORREF MAIN_TEXT_COLOUR = RGB(44, 56, 66);
constexpr COLORREF SECONDARY_TEXT_COLOUR = RGB(120, 132, 142);
constexpr COLORREF CONTROL_BACKGROUND_COLOUR = RGB(255, 255, 255);

// The verdict line's colour for a level: 1 amber, 2 orange, 3 red; 0 and
// every other value green.
COLORREF verdict_colour(int32_t level);

// Fills (x, y, x + width, y + height) with a solid brush made and deleted here.
void fill_box(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour);

// Draws the 1-pixel edge of (x, y, x + width, y + height) with a pen made
// and deleted here and the stock hollow brush; restores the previous pen and
// brush.
void outline_box(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour);

// Draws `text` in (x, y, x + width, y + height): transparent background, one
// line, centred vertically, ellipsis at the end when too long, plus `flags`
// (DT_RIGHT, DT_CENTER). Selects `font` for the text and the previous font
// back after it.
void draw_text_box(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height,
                   const wchar_t* text, COLORREF colour, HFONT font, UINT flags);

// Paints the whole client area `client` into `dc` (the 16 steps of the
// window's look), whatever the update region. Any DC will do: the window's
// paint DC or a memory DC. Every GDI object it makes is deleted before the
// next item is drawn.
void paint_content(HDC dc, const RECT& client);

// WM_PAINT: paint_content between BeginPaint and EndPaint.
void paint_main_window(HWND window);

// WM_DRAWITEM of one owner-drawn command button: face (darker while
// ODS_SELECTED), border, centred caption (at most 63 characters of the
// button's text). No focus rectangle.
void draw_command_button(const DRAWITEMSTRUCT& item);

// WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC: sets the text colour (edits also the
// opaque white text background; statics the transparent mode) and returns
// the brush the control paints its background with, always white_brush.
HBRUSH set_control_colours(UINT message, HDC dc, HWND control);
