#include "ui/commands.h"

#include <windows.h>

#include <cmath>
#include <cstring>

#include "engine/engine.h"
#include "engine/text.h"
#include "ui/controls.h"
#include "ui/field_value.h"
#include "ui/window_state.h"
#include "ui/window_texts.h"

namespace {

constexpr int32_t FIELD_TEXT_CAPACITY = FIELD_TEXT_MAX + 1;
constexpr int32_t REPORT_CAPACITY = 4096;
constexpr int32_t VERDICT_CAPACITY = 512;
constexpr int32_t REFUSAL_CAPACITY = 256;
constexpr int32_t ABOUT_CAPACITY = 1400;

const wchar_t* or_empty(const wchar_t* text) { return text != nullptr ? text : L""; }

// Reads field i and converts it; false (after the refusal box, with the
// focus moved to the field) when the field is missing, its text is no
// number or longer than the field texts compute reads, or the value is not
// finite.
bool read_field(const WindowState& state, int32_t i, double* value) {
    wchar_t text[FIELD_TEXT_CAPACITY] = L"";
    HWND field = state.param_edits[i];
    // A field that could not be made has no value the user could have seen
    // or typed: refused like a text that is no number, never taken as 0.
    bool readable = field != nullptr;
    if (readable) {
        readable = GetWindowTextLengthW(field) <= FIELD_TEXT_MAX;
        GetWindowTextW(field, text, FIELD_TEXT_CAPACITY);
    }
    *value = field_value(text);
    if (readable && std::isfinite(*value)) {
        return true;
    }
    wchar_t message[REFUSAL_CAPACITY];
    text_format(message, REFUSAL_CAPACITY, BAD_INPUT_FORMAT, static_cast<int>(i + 1),
                or_empty(state.shown_tool->params[i].label));
    MessageBoxW(state.main_window, message, BAD_INPUT_TITLE, MB_ICONWARNING | MB_OK);
    if (field != nullptr) {
        SetFocus(field);
    }
    return false;
}

// Hands the text to the clipboard, which must be open and emptied. True when
// the clipboard took it; otherwise nothing of ours stays allocated.
// The block is zero-filled: programs that read the whole block rather than
// up to the terminator (Wine's X11 bridge among them) see no stale bytes.
bool place_on_clipboard(const wchar_t* name, const wchar_t* copy_text) {
    const int32_t a = text_length(copy_text);
    const int32_t b = text_length(name);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(a + b) * 2 + 32);
    if (memory == nullptr) {
        return false;
    }
    auto* text = static_cast<wchar_t*>(GlobalLock(memory));
    if (text == nullptr) {
        GlobalFree(memory);
        return false;
    }
    text_format(text, a + b + 16, L"%ls\r\n%ls", name, copy_text);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);  // still ours when the clipboard refused it
        return false;
    }
    return true;
}

}  // namespace

void run_compute() {
    WindowState& state = edit_window_state();
    if (state.shown_tool == nullptr) {
        return;
    }
    const ToolDefinition& tool = *state.shown_tool;

    // Converted into a local array first: a refused compute leaves
    // input_values as the last accepted compute left them, so that a later
    // save never records half-read values next to an older report.
    double values[MAX_PARAMETERS] = {};
    for (int32_t i = 0; i < tool.param_count && i < MAX_PARAMETERS; ++i) {
        if (!read_field(state, i, &values[i])) {
            return;
        }
    }
    std::memcpy(state.input_values, values, sizeof values);

    wchar_t report[REPORT_CAPACITY];
    wchar_t verdict[VERDICT_CAPACITY];
    evaluate_tool(tool, state.input_values, report, REPORT_CAPACITY, verdict, VERDICT_CAPACITY,
                  &state.verdict_level, state.last_report, LAST_REPORT_CAPACITY);
    state.copy_text[0] = L'\0';
    SetWindowTextW(state.results_box, report);
    SetWindowTextW(state.verdict_line, verdict);
    if (tool.report_kind == 0) {
        text_format(state.copy_text, COPY_TEXT_CAPACITY, L"%ls—— %ls", report, verdict);
    } else {
        text_copy(state.copy_text, COPY_TEXT_CAPACITY, report);
    }
    if (state.verdict_line != nullptr) {  // a null window would invalidate every window
        InvalidateRect(state.verdict_line, nullptr, TRUE);
    }
    InvalidateRect(state.main_window, nullptr, FALSE);
    text_format(state.status_text, STATUS_TEXT_CAPACITY, COMPUTED_STATUS_FORMAT, or_empty(tool.name));
    InvalidateRect(state.main_window, nullptr, FALSE);
    SetFocus(state.main_window);
}

void copy_result() {
    WindowState& state = edit_window_state();
    if (state.last_report[0] == L'\0') {
        MessageBoxW(state.main_window, NO_RESULT_TEXT, NOTICE_TITLE, MB_ICONINFORMATION | MB_OK);
        return;
    }
    bool copied = false;
    if (OpenClipboard(state.main_window)) {
        EmptyClipboard();
        copied = place_on_clipboard(or_empty(state.shown_tool->name), state.copy_text);
        CloseClipboard();
    }
    if (!copied) {
        // Saying nothing would leave an older clipboard text to be pasted
        // as if it were this result.
        MessageBoxW(state.main_window, COPY_FAILED_TEXT, COPY_FAILED_TITLE, MB_ICONWARNING | MB_OK);
        return;
    }
    text_copy(state.status_text, STATUS_TEXT_CAPACITY, COPIED_STATUS);
    InvalidateRect(state.main_window, nullptr, FALSE);
}

void reset_inputs() {
    WindowState& state = edit_window_state();
    if (state.shown_tool == nullptr) {
        return;
    }
    const ToolDefinition& tool = *state.shown_tool;
    for (int32_t i = 0; i < tool.param_count && i < MAX_PARAMETERS; ++i) {
        show_default_value(state.param_edits[i], tool.params[i].default_value);
    }
    // The level first: the verdict line may repaint (and ask its colour)
    // while its text is set.
    state.verdict_level = 0;
    SetWindowTextW(state.results_box, L"");
    SetWindowTextW(state.verdict_line, PROMPT_TEXT);
    SetWindowTextW(state.note_label, or_empty(tool.note));
    text_copy(state.status_text, STATUS_TEXT_CAPACITY, RESET_STATUS);
    state.last_report[0] = L'\0';
    InvalidateRect(state.main_window, nullptr, FALSE);
}

void show_about() {
    const WindowState& state = window_state();
    if (state.shown_tool == nullptr) {
        return;
    }
    const ToolDefinition& tool = *state.shown_tool;
    wchar_t about[ABOUT_CAPACITY];
    text_format(about, ABOUT_CAPACITY, L"%ls\r\n\r\n%ls%ls\r\n%ls%ls\r\n\r\n%ls\r\n%ls\r\n\r\n%ls%ls",
                or_empty(tool.name), ABOUT_CATEGORY, or_empty(tool.category), ABOUT_REFERENCE,
                or_empty(tool.reference), ABOUT_DISCLAIMER_1, ABOUT_DISCLAIMER_2, ABOUT_VERSION,
                MAKER_WEB_ADDRESS);
    MessageBoxW(state.main_window, about, ABOUT_TITLE, MB_ICONINFORMATION | MB_OK);
}
