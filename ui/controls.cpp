#include "ui/controls.h"

#include <cstdint>

#include "engine/text.h"
#include "ui/window_state.h"
#include "ui/window_texts.h"

void show_default_value(HWND field, double default_value) {
    constexpr int32_t DEFAULT_TEXT_CAPACITY = 64;
    wchar_t text[DEFAULT_TEXT_CAPACITY];
    text_format(text, DEFAULT_TEXT_CAPACITY, L"%.6g", default_value);
    SetWindowTextW(field, text);
}

namespace {

constexpr int32_t FIRST_ROW_TOP = 150;
constexpr int32_t ROW_PITCH = 34;

HWND make_control(HWND parent, DWORD ex_style, const wchar_t* control_class, const wchar_t* text,
                  DWORD style, int32_t x, int32_t y, int32_t width, int32_t height, int32_t id,
                  HFONT font) {
    HWND control = CreateWindowExW(ex_style, control_class, text, WS_CHILD | WS_VISIBLE | style, x, y,
                                   width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   window_state().app_instance, nullptr);
    if (control != nullptr && font != nullptr) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    return control;
}

void build_parameter_row(HWND window, int32_t i) {
    WindowState& state = edit_window_state();
    const ParameterSpec& param = state.shown_tool->params[i];
    const int32_t y = FIRST_ROW_TOP + ROW_PITCH * i;
    make_control(window, 0, L"STATIC", param.label != nullptr ? param.label : L"", SS_RIGHT, 24,
                 y + 1, 184, 22, 0, state.font_label);
    HWND field = make_control(window, WS_EX_CLIENTEDGE, L"EDIT", L"", ES_AUTOHSCROLL, 216, y - 4, 152,
                              27, IDC_PARAM_FIRST + i, state.font_input);
    state.param_edits[i] = field;
    show_default_value(field, param.default_value);
    if (param.unit != nullptr && param.unit[0] != L'\0') {
        make_control(window, 0, L"STATIC", param.unit, 0, 374, y, 78, 22, 0, state.font_small);
    }
}

// The five owner-drawn buttons of the footer band, left to right.
struct ButtonRow {
    int32_t id;
    const wchar_t* caption;
    int32_t x;
    int32_t width;
};

constexpr ButtonRow BUTTONS[] = {
    {IDC_COMPUTE, COMPUTE_CAPTION, 20, 152},
    {IDC_SAVE, SAVE_CAPTION, 184, 132},
    {IDC_COPY, COPY_CAPTION, 328, 132},
    {IDC_RESET, RESET_CAPTION, 472, 132},
    {IDC_ABOUT, ABOUT_CAPTION, 616, 110},
};
constexpr int32_t BUTTON_TOP = 668;
constexpr int32_t BUTTON_HEIGHT = 40;

}  // namespace

void build_controls(HWND window) {
    WindowState& state = edit_window_state();
    const ToolDefinition& tool = *state.shown_tool;
    for (int32_t i = 0; i < tool.param_count && i < MAX_PARAMETERS; ++i) {
        build_parameter_row(window, i);
    }
    state.verdict_line =
        make_control(window, 0, L"STATIC", PROMPT_TEXT, 0, 492, 142, 492, 46, 0, state.font_verdict);
    state.results_box = make_control(window, WS_EX_CLIENTEDGE, L"EDIT", L"",
                                     WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, 492,
                                     196, 492, 232, IDC_RESULTS, state.font_results);
    state.note_label = make_control(window, 0, L"STATIC", tool.note != nullptr ? tool.note : L"", 0,
                                    492, 444, 492, 120, 0, state.font_small);
    wchar_t reference[512];
    text_format(reference, 512, REFERENCE_FORMAT, tool.reference != nullptr ? tool.reference : L"");
    make_control(window, 0, L"STATIC", reference, 0, 492, 576, 492, 56, 0, state.font_small);
    for (const ButtonRow& button : BUTTONS) {
        make_control(window, 0, L"BUTTON", button.caption, BS_OWNERDRAW, button.x, BUTTON_TOP,
                     button.width, BUTTON_HEIGHT, button.id, nullptr);
    }
}
