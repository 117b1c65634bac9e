// Formula tools for the self-test report: one whose outputs cover every
// OUT-line case (a unit, a null unit, an empty unit, a "|" in a label, an
// output fed by an earlier one, an output that fails).
#pragma once

#include "engine/tool.h"

// Tool 901 "失败样例": one failing output, level 1, the exit code 2.
extern const ToolDefinition SELFTEST_FAILING_TOOL;
