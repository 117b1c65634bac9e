// The main window's child controls. Win32 only.
#pragma once

#include <windows.h>

// Builds the children of `window` for the tool on display, in order: one
// row per parameter (label, input field, unit label when the unit is not
// empty), the verdict line, the results box, the note, the reference basis
// line and the five command buttons. Stores the handles in the window state.
// A control that cannot be made is left out; the window runs on without it.
void build_controls(HWND window);

// Puts the parameter's default value into its input field, as "%.6g" (at
// most six significant digits, trailing zeros dropped): at window start and
// after a reset.
void show_default_value(HWND field, double default_value);
