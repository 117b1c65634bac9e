// Number literals. Plain decimal literals (digits, an optional fraction, no
// exponent) whose digits form an integer below 2^53 with at most 22
// fraction digits are converted here: the digits are an exact double, 10^k
// is an exact double for k up to 22, and one IEEE division rounds the exact
// quotient once, which is the correctly rounded value strtod also gives.
// Everything else (exponents, hexadecimal, long digit strings) goes to
// strtod, which the program only ever runs in the classic locale.
#include "formula/number.h"

#include <cfloat>
#include <cstdint>
#include <cstdlib>

namespace {

// 10^0 to 10^22, every one exactly representable as a double.
constexpr double POWERS_OF_TEN[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};
constexpr int MAX_FAST_SCALE = 22;
static_assert(sizeof(POWERS_OF_TEN) / sizeof(POWERS_OF_TEN[0]) == MAX_FAST_SCALE + 1);

constexpr uint64_t MAX_EXACT_MANTISSA = uint64_t{1} << 53;  // exclusive

// The single correctly rounded division needs double arithmetic without
// wider intermediates; where the compiler evaluates in extended precision
// (x87), every literal goes to strtod.
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
constexpr bool FAST_PATH = true;
#else
constexpr bool FAST_PATH = false;
#endif

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

NumberRead read_with_strtod(const char* text) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    return NumberRead{value, end - text};
}

}  // namespace

NumberRead read_number(const char* text) {
    if (!FAST_PATH) return read_with_strtod(text);
    const char* s = text;
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) return read_with_strtod(text);
    uint64_t mantissa = 0;  // [0, 2^53)
    bool any_digit = false;
    while (is_digit(*s)) {
        mantissa = mantissa * 10 + static_cast<uint64_t>(*s - '0');
        if (mantissa >= MAX_EXACT_MANTISSA) return read_with_strtod(text);
        any_digit = true;
        ++s;
    }
    int scale = 0;  // fraction digits, [0, MAX_FAST_SCALE]
    if (*s == '.') {
        ++s;
        while (is_digit(*s)) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(*s - '0');
            ++scale;
            if (mantissa >= MAX_EXACT_MANTISSA || scale > MAX_FAST_SCALE) {
                return read_with_strtod(text);
            }
            any_digit = true;
            ++s;
        }
    }
    // A "." without a digit on either side is no number at all.
    if (!any_digit) return NumberRead{0.0, 0};
    if (*s == 'e' || *s == 'E') return read_with_strtod(text);
    const double digits = static_cast<double>(mantissa);
    const double value = scale == 0 ? digits : digits / POWERS_OF_TEN[scale];
    return NumberRead{value, s - text};
}
