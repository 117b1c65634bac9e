// Bounded wide text. A capacity counts wide characters including the
// terminator. Every routine here cuts at capacity - 1 and always terminates
// (for a capacity of at least 1); none reads or writes past the capacity.
// Formatting is done by our own routine, not the C library's wide printf,
// so that a cut text is terminated and both builds give the same text.
#pragma once

#include <cstdarg>
#include <cstdint>

// Length in characters of a terminated text; 0 for null.
int32_t text_length(const wchar_t* text);

// printf-style formatting into `out`, cut at capacity - 1. Supports the
// conversions d i u x X c s e E f F g G and %, with flags - + space # 0,
// width, precision (digits or *) and the length modifiers h l ll z j.
// Wide texts are passed as %ls; %c and %lc take a character. Numbers are
// converted in the classic "C" locale. Returns true when the whole text
// fitted, false when it was cut.
bool text_format(wchar_t* out, int32_t capacity, const wchar_t* format, ...);
bool text_vformat(wchar_t* out, int32_t capacity, const wchar_t* format, va_list args);

// Appends as much of `piece` as fits, but only when the text holds fewer
// than capacity - 1 characters. Returns true when all of `piece` went in.
bool text_append(wchar_t* text, int32_t capacity, const wchar_t* piece);

// Copies `source` (null reads as empty) into `out`, cut at capacity - 1.
// Returns true when it fitted whole.
bool text_copy(wchar_t* out, int32_t capacity, const wchar_t* source);

// Formats one line into a 512-character scratch (cut at 511), appends as
// much of it as fits (only when the text holds fewer than capacity - 1
// characters), then CR LF as far as it fits. A full text takes nothing.
void append_line(wchar_t* text, int32_t capacity, const wchar_t* format, ...);
