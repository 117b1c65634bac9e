#include "ui/paint.h"

#include "engine/text.h"
#include "ui/window_state.h"
#include "ui/window_texts.h"

COLORREF verdict_colour(int32_t level) {
    switch (level) {
    case 1: return RGB(176, 132, 0);
    case 2: return RGB(214, 108, 0);
    case 3: return RGB(190, 30, 45);
    default: return RGB(0, 128, 96);
    }
}

void fill_box(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush == nullptr) {
        return;
    }
    RECT box = {x, y, x + width, y + height};
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

void outline_box(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    if (pen == nullptr) {
        return;
    }
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, x, y, x + width, y + height);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(pen);
}

void draw_text_box(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height,
                   const wchar_t* text, COLORREF colour, HFONT font, UINT flags) {
    RECT box = {x, y, x + width, y + height};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    HGDIOBJ old_font = font != nullptr ? SelectObject(dc, font) : nullptr;
    DrawTextW(dc, text != nullptr ? text : L"", -1, &box,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | flags);
    if (old_font != nullptr) {
        SelectObject(dc, old_font);
    }
}

namespace {

// Header: band, accent strip, the tool's name, the subtitle line, the maker's
// web address at the right end.
void paint_header(HDC dc, int32_t right, const WindowState& state) {
    const ToolDefinition* tool = state.shown_tool;
    fill_box(dc, 0, 0, right, 88, HEADER_COLOUR);
    fill_box(dc, 0, 0, 8, 88, ACCENT_COLOUR);
    draw_text_box(dc, 26, 12, 700, 38, tool != nullptr ? tool->name : L"", TITLE_COLOUR,
                  state.font_title, 0);
    wchar_t subtitle[256];
    text_format(subtitle, 256, SUBTITLE_FORMAT,
                tool != nullptr && tool->category != nullptr ? tool->category : L"",
                tool != nullptr && tool->subtitle != nullptr ? tool->subtitle : L"");
    draw_text_box(dc, 28, 48, 720, 28, subtitle, SUBTITLE_COLOUR, state.font_caption, 0);
    wchar_t address[64];
    text_format(address, 64, L"%ls", MAKER_WEB_ADDRESS);
    draw_text_box(dc, right - 240, 8, 214, 26, address, WEB_ADDRESS_COLOUR, state.font_small,
                  DT_RIGHT);
}

// The two white cards with their borders, captions and caption rules.
void paint_panels(HDC dc, const WindowState& state) {
    fill_box(dc, 20, 96, 440, 552, PANEL_COLOUR);
    outline_box(dc, 20, 96, 440, 552, PANEL_BORDER_COLOUR);
    fill_box(dc, 476, 96, 524, 552, PANEL_COLOUR);
    outline_box(dc, 476, 96, 524, 552, PANEL_BORDER_COLOUR);
    draw_text_box(dc, 36, 104, 300, 30, INPUT_CAPTION, PANEL_CAPTION_COLOUR, state.font_caption, 0);
    draw_text_box(dc, 492, 104, 300, 30, RESULTS_CAPTION, PANEL_CAPTION_COLOUR,
                  state.font_caption, 0);
    fill_box(dc, 36, 133, 408, 1, CAPTION_RULE_COLOUR);
    fill_box(dc, 492, 133, 492, 1, CAPTION_RULE_COLOUR);
}

}  // namespace

void paint_content(HDC dc, const RECT& client) {
    const WindowState& state = window_state();
    const int32_t right = client.right;
    fill_box(dc, 0, 0, right, client.bottom, PAGE_COLOUR);
    paint_header(dc, right, state);
    paint_panels(dc, state);
    fill_box(dc, 0, 660, right, 60, FOOTER_COLOUR);
    draw_text_box(dc, 740, 704, 264, 16, state.status_text, STATUS_COLOUR, state.font_small,
                  DT_RIGHT);
}

void paint_main_window(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc != nullptr) {
        RECT client;
        GetClientRect(window, &client);
        paint_content(dc, client);
    }
    EndPaint(window, &paint);
}

void draw_command_button(const DRAWITEMSTRUCT& item) {
    const bool compute = item.CtlID == static_cast<UINT>(IDC_COMPUTE);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const RECT& box = item.rcItem;
    const int32_t width = box.right - box.left;
    const int32_t height = box.bottom - box.top;
    COLORREF face = compute ? (pressed ? COMPUTE_PRESSED_COLOUR : COMPUTE_FACE_COLOUR)
                            : (pressed ? BUTTON_PRESSED_COLOUR : BUTTON_FACE_COLOUR);
    fill_box(item.hDC, box.left, box.top, width, height, face);
    outline_box(item.hDC, box.left, box.top, width, height,
                compute ? COMPUTE_BORDER_COLOUR : BUTTON_BORDER_COLOUR);
    wchar_t caption[64] = L"";
    GetWindowTextW(item.hwndItem, caption, 64);
    draw_text_box(item.hDC, box.left, box.top, width, height, caption,
                  compute ? COMPUTE_CAPTION_COLOUR : BUTTON_CAPTION_COLOUR,
                  window_state().font_button, DT_CENTER);
}

HBRUSH set_control_colours(UINT message, HDC dc, HWND control) {
    const WindowState& state = window_state();
    if (message == WM_CTLCOLOREDIT) {
        SetTextColor(dc, MAIN_TEXT_COLOUR);
        SetBkColor(dc, CONTROL_BACKGROUND_COLOUR);
        SetBkMode(dc, OPAQUE);
        return state.white_brush;
    }
    SetBkMode(dc, TRANSPARENT);
    if (control != nullptr && control == state.verdict_line) {
        SetTextColor(dc, verdict_colour(state.verdict_level));
    } else if (control != nullptr &&
               (control == state.results_box || control == state.note_label)) {
        SetTextColor(dc, MAIN_TEXT_COLOUR);
    } else {
        SetTextColor(dc, SECONDARY_TEXT_COLOUR);
    }
    return state.white_brush;
}
