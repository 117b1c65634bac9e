// The save command: appends the last result to the tool's CSV record file
// and tells the user whether it reached the file. Win32 only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/tool.h"

// Saves `last_report` with `input_values` for `tool`. Message boxes are owned
// by `owner`; the outcome is written to `status_text` and the owner's client
// area is invalidated without erasing. An empty `last_report` is refused
// before any folder or file is touched.
void save_record(HWND owner, const ToolDefinition& tool, const double* input_values,
                 const wchar_t* last_report, wchar_t* status_text, int32_t status_capacity);
