// The main window: its class, its creation with the child controls, its
// window procedure and the message loop with the Enter/F5 diversion.
// run_main_window (ui/ui.h) is these pieces in order. Win32 only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/tool.h"

constexpr const wchar_t* MAIN_WINDOW_CLASS = L"QuelmMedToolWnd";
constexpr DWORD MAIN_WINDOW_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int32_t CLIENT_WIDTH = 1020;
constexpr int32_t CLIENT_HEIGHT = 720;
constexpr int32_t TRACKING_WIDTH = 1036;
constexpr int32_t TRACKING_HEIGHT = 780;

// Window start up to the creation call: stores instance and tool, clears the
// per-window state (level 0, no result, no controls), makes the fonts and
// brushes (once per process; they are never deleted), registers the class,
// creates the window centred on the primary screen (a negative edge becomes
// 0) with a 1020 x 720 client area; WM_CREATE builds the controls. Returns
// the window, or null when it could not be created. A tool with more
// parameters than MAX_PARAMETERS (or a negative count) is not shown: null.
HWND create_main_window(HINSTANCE instance, const ToolDefinition& tool);

// Shows the main window (SW_SHOW), paints it at once and gives the focus to
// the first input field (none for a tool without parameters).
void show_main_window();

// The Enter/F5 diversion: when `message` is WM_KEYDOWN of VK_RETURN or VK_F5
// for a window that is a child of the main window at any depth, runs the
// compute command and returns true: the key is neither translated nor
// dispatched. Otherwise returns false and does nothing.
bool divert_to_compute(const MSG& message);

// One turn of the message loop: the diversion, else TranslateMessage and
// DispatchMessageW.
void process_message(const MSG& message);

// Runs the message loop until WM_QUIT.
void run_message_loop();

// The window procedure of the class, one handler a message.
LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
