// Helpers the built-in report generators share (engine-internal): the fixed
// verdict copy, whole-number inputs bounded to a range, and fixed lines.
#pragma once

#include <cstdint>

#include "engine/params.h"
#include "engine/text.h"
#include "engine/tool.h"

// Copies a fixed verdict, cut to the verdict capacity like every other text
// (callers give at least VERDICT_CAPACITY_MIN, which holds every fixed
// verdict whole).
inline void write_verdict(wchar_t* verdict, int32_t capacity, const wchar_t* text) {
    text_copy(verdict, capacity, text);
}

// The whole-number input named by `key`, bounded to [low, high].
inline int32_t bounded_whole(const ToolDefinition& tool, const double* values, const char* key,
                             int32_t low, int32_t high) {
    const int32_t n = whole_number(param_by_key(tool, values, key));
    if (n < low) return low;
    if (n > high) return high;
    return n;
}

// Appends a fixed text as one line.
inline void append_text_line(wchar_t* report, int32_t capacity, const wchar_t* line) {
    append_line(report, capacity, L"%ls", line);
}
