// The window state that the main window, its painting and its commands share:
// one record in static storage, zero when the process starts, alive until it
// ends. Win32 only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/tool.h"

// Text capacities in wide characters, terminator included.
constexpr int32_t LAST_REPORT_CAPACITY = 8192;
constexpr int32_t COPY_TEXT_CAPACITY = 1024;
constexpr int32_t STATUS_TEXT_CAPACITY = 256;

// Control ids of the main window's children; every static text has id 0.
constexpr int32_t IDC_COMPUTE = 1001;
constexpr int32_t IDC_SAVE = 1002;
constexpr int32_t IDC_COPY = 1003;
constexpr int32_t IDC_RESET = 1004;
constexpr int32_t IDC_ABOUT = 1005;
constexpr int32_t IDC_PARAM_FIRST = 2000;   // + parameter index
constexpr int32_t IDC_RESULTS = 3000;

struct WindowState {
    HINSTANCE app_instance;
    HWND main_window;
    const ToolDefinition* shown_tool;
    int32_t verdict_level;              // level of the verdict on display
    HWND param_edits[MAX_PARAMETERS];   // input field of parameter i at index i
    HWND results_box;
    HWND verdict_line;
    HWND note_label;
    HFONT font_title;
    HFONT font_caption;
    HFONT font_label;
    HFONT font_input;
    HFONT font_verdict;
    HFONT font_results;
    HFONT font_button;
    HFONT font_small;
    HBRUSH white_brush;                 // background of the child controls
    HBRUSH background_brush;            // background brush of the window class
    wchar_t last_report[LAST_REPORT_CAPACITY];  // detail of the last result; empty: none
    wchar_t copy_text[COPY_TEXT_CAPACITY];      // clipboard text below the tool's name
    wchar_t status_text[STATUS_TEXT_CAPACITY];  // the footer's status line
    double input_values[MAX_PARAMETERS];        // values of the last accepted compute
};

// Read-only view of the window state, for painting and for tests.
const WindowState& window_state();

// The same record, writable. Only the code in ui/ writes through it.
WindowState& edit_window_state();
