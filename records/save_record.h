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

// save_record below a given base folder instead of the one SHGetFolderPathW
// reports; a null `base_folder` stands for a lookup that failed, which is
// refused as a save that could not be written, naming the file as
// "%LOCALAPPDATA%\QuelmMedSuite\records\T%03d.csv", before any folder or
// file is touched. The confirmation appears only when the record reached
// the file whole.
void save_record_below(const wchar_t* base_folder, HWND owner, const ToolDefinition& tool,
                       const double* input_values, const wchar_t* last_report,
                       wchar_t* status_text, int32_t status_capacity);
