// The main window's commands other than saving. Each works on the window
// state and the controls of the window on display. Win32 only.
#pragma once

// Compute (the compute button, Enter, F5): reads every input field; refuses
// the first field that is not a finite number with a warning box and puts
// the focus there, changing nothing else (input_values keep the values of
// the last accepted compute). Otherwise stores the values, evaluates the
// tool and shows report, verdict and status; the focus goes to the main
// window.
void run_compute();

// Copy: puts the tool's name, CR LF and copy_text on the clipboard as
// Unicode text. Without a result: the notice box. When the clipboard cannot
// be opened or does not take the text: a warning box, and the status line is
// not changed, so the user never pastes an older result believing it new.
void copy_result();

// Reset: defaults back in the fields, result, verdict and level cleared, the
// note shown again. copy_text and input_values stay.
void reset_inputs();

// About: a box with the tool's name, category, reference, disclaimer,
// version and the maker's web address. Changes nothing.
void show_about();
