// Records the modal message boxes that the code under test shows on the
// calling thread, and closes each one with OK, so that window tests run
// without a person. Win32 only; test support, never linked into the product.
//
// Usage:
//     begin_recording_boxes();
//     save_record(...);                       // shows one box, closed at once
//     ASSERT_EQ(recorded_box_count(), 1);
//     EXPECT_STREQ(recorded_box(0).caption, L"已保存");
//     end_recording_boxes();
// or hold a ScopedBoxRecorder for the length of a test.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int32_t MAX_RECORDED_BOXES = 16;
constexpr int32_t RECORDED_TEXT_CAPACITY = 2048;
constexpr int32_t RECORDED_CAPTION_CAPACITY = 256;

struct RecordedBox {
    wchar_t text[RECORDED_TEXT_CAPACITY];       // the message, cut at capacity - 1
    wchar_t caption[RECORDED_CAPTION_CAPACITY]; // the box's title
    UINT icon;   // MB_ICONINFORMATION, MB_ICONWARNING, MB_ICONERROR,
                 // MB_ICONQUESTION, or 0 when the box shows no known icon
    HWND owner;  // the box's owner window (null for an unowned box)
};

// Starts recording on this thread: installs a thread-local CBT hook that
// sees each message box as it is activated (and a 50 ms thread timer that
// catches a box the hook missed), records it and presses its OK button.
// Clears earlier records. Calling it while recording restarts the record.
void begin_recording_boxes();

// Stops recording; the records stay readable until the next begin.
void end_recording_boxes();

// Number of boxes recorded since the last begin; at most MAX_RECORDED_BOXES
// are kept (later boxes are still closed, and counted in the total).
int32_t recorded_box_count();

// The box recorded at `index` (0 is the first shown). `index` must be below
// both recorded_box_count() and MAX_RECORDED_BOXES.
const RecordedBox& recorded_box(int32_t index);

// Begins recording on construction and ends it on destruction.
struct ScopedBoxRecorder {
    ScopedBoxRecorder() { begin_recording_boxes(); }
    ~ScopedBoxRecorder() { end_recording_boxes(); }
    ScopedBoxRecorder(const ScopedBoxRecorder&) = delete;
    ScopedBoxRecorder& operator=(const ScopedBoxRecorder&) = delete;
};
