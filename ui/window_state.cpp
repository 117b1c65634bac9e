#include "ui/window_state.h"

namespace {

// Static storage: zero at process start, as the window code expects.
WindowState state;

}  // namespace

const WindowState& window_state() { return state; }

WindowState& edit_window_state() { return state; }
