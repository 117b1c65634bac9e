// The desktop window: main window, message loop, painting and commands.
// Win32 only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/tool.h"

// Makes the fonts and brushes, registers the class, creates and centres the
// window for `tool` and runs the message loop. Returns 1 when the window
// cannot be created, 0 after the loop has ended. Called once per process.
int32_t run_main_window(HINSTANCE instance, const ToolDefinition& tool);
