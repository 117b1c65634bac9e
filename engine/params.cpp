// Reading a tool's inputs by key, and the whole-number reading of a value.
#include "engine/params.h"

#include <cstring>

double param_by_key(const ToolDefinition& tool, const double* values, const char* key) {
    if (values == nullptr || key == nullptr || tool.params == nullptr) return 0.0;
    for (int32_t i = 0; i < tool.param_count && i < MAX_PARAMETERS; ++i) {
        const char* k = tool.params[i].key;
        if (k != nullptr && std::strcmp(k, key) == 0) return values[i];
    }
    return 0.0;
}

int32_t whole_number(double value) {
    // Compare first: converting a double outside the target range (or NaN)
    // to an integer is undefined. Every value strictly between these bounds
    // truncates into the 32-bit range; NaN fails both comparisons.
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(value);
}
