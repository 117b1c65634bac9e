// Reading a tool's inputs by key, as the report generators do.
#pragma once

#include <cstdint>

#include "engine/tool.h"

// The value of the first parameter (in params order) whose key equals `key`
// byte for byte; 0 when no parameter has that key.
double param_by_key(const ToolDefinition& tool, const double* values, const char* key);

// Truncation toward zero to a 32-bit signed integer (2.9 gives 2, -1.5
// gives -1). NaN and values outside the 32-bit range give INT32_MIN. Never
// converts an out-of-range double.
int32_t whole_number(double value);
