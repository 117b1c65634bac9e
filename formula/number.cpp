// The strtod side of number reading; the fast decimal path is in number.h.
#include "formula/number.h"

#include <cstdlib>

NumberRead read_number_with_strtod(const char* text) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    return NumberRead{value, end - text};
}
