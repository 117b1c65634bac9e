// The tool engine: evaluating a tool record into a report text, a verdict
// text and a level; formatting values; the built-in report dispatch.
// Nothing here allocates or keeps state between calls.
#pragma once

#include <cstdint>

#include "engine/calendar.h"
#include "engine/params.h"
#include "engine/reports.h"
#include "engine/text.h"
#include "engine/tool.h"

// Capacities the callers pass (wide characters with the terminator). The
// fixed texts written whole need a report capacity of at least
// REPORT_CAPACITY_MIN and a verdict capacity of at least VERDICT_CAPACITY_MIN.
constexpr int32_t REPORT_CAPACITY_MIN = 13;
constexpr int32_t VERDICT_CAPACITY_MIN = 21;
constexpr int32_t VALUE_TEXT_CAPACITY = 128;

// Evaluates the tool at `param_values` (one per parameter). A formula tool:
// every output formula in order (each sees the earlier outputs), one report
// line per output, a notice line when any output failed, the first matching
// verdict rule, the default verdict when none gave a text. A report tool:
// its generator instead. Writes the level to *level and returns it; the
// detail text is a copy of the report text cut to its own capacity (null
// with capacity 0 when the caller needs no copy). All
// three texts are terminated within their capacities on return.
int32_t evaluate_tool(const ToolDefinition& tool, const double* param_values,
                      wchar_t* report, int32_t report_capacity,
                      wchar_t* verdict, int32_t verdict_capacity,
                      int32_t* level,
                      wchar_t* detail, int32_t detail_capacity);

// Formats `value` by the format code (null means "f2"): "f0", "f1", "f2",
// "f3", "int", "pct", "date"; any other code as "f2". A value that is not
// finite, or whose text would not fit the capacity (a cut digit string would
// read as another number), shows "--". Always terminated.
void format_value(const char* format, double value, wchar_t* text, int32_t capacity);
