// The formula language: one formula text read and computed in a single
// recursive-descent pass, with no tokeniser, no compiled form and no heap.
// Variables are the tool's parameter and output keys.
#pragma once

#include <cstdint>

#include "engine/tool.h"

// Nesting bound. Every nesting of parentheses, call arguments, conditional
// branches, unary operators and power exponents costs one level. Past this
// many levels the nested construct is not read: the error flag is set, the
// construct's value is 0 and nothing of it is consumed, so the evaluation
// goes on as after any other failing step (the enclosing levels then find
// the unread text). Keeps the stack use of one call bounded for any text.
// Counted: each "(" of a parenthesis or a call, each "?" of a conditional
// (its two branches share the level), each unary "-" or "!" and each "^";
// a unary "+" costs nothing. The character that would open the 257th level
// is left in the text, and the construct it starts (the parenthesis, the
// call after its name, the conditional after its condition, the power after
// its base, the unary operator) gives 0.
constexpr int32_t FORMULA_MAX_DEPTH = 256;

// Evaluates `formula` (may be null) against the tool's keys, with one value
// per parameter in `param_values` and one per output in `output_values`.
// Always writes *error: 0 on success, 1 on failure. Returns the value the
// evaluation reached, also on failure (0 for a null or empty text).
// Success: text present and not empty, wholly taken by one expression up to
// trailing whitespace, no failing step, and a finite result.
double evaluate_formula(const ToolDefinition& tool, const char* formula,
                        const double* param_values, const double* output_values,
                        int32_t* error);
