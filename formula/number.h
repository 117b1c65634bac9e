// Reading of number literals in formulas: the one place where the formula
// evaluator turns text into a double.
#pragma once

#include <cfloat>
#include <cstddef>
#include <cstdint>

struct NumberRead {
    double value;      // the converted number; 0 when nothing converts
    ptrdiff_t length;  // characters taken; 0 when nothing converts
};

// 10^0 to 10^22, every one exactly representable as a double.
inline constexpr double POWERS_OF_TEN[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};
inline constexpr int MAX_FAST_SCALE = 22;  // the last index of POWERS_OF_TEN
static_assert(sizeof(POWERS_OF_TEN) / sizeof(POWERS_OF_TEN[0]) == MAX_FAST_SCALE + 1);
inline constexpr uint64_t MAX_EXACT_MANTISSA = uint64_t{1} << 53;  // exclusive

// Reads the number at `text` with the C library's strtod in the classic
// locale (the program never changes the locale): the longest prefix that
// forms a decimal number with an optional exponent, or after "0x"/"0X" a
// hexadecimal one with an optional "p" exponent. A magnitude beyond the
// double range gives infinity. This is the one call of the conversion, so
// a platform whose strtod differs is mended here alone.
NumberRead read_number_with_strtod(const char* text);

// Takes `text` positioned at a decimal digit or "."; returns what
// read_number_with_strtod returns, bit for bit. Plain decimal literals
// (digits, an optional fraction, no exponent) whose digits form an integer
// below 2^53 with at most 22 fraction digits are converted here: the digits
// are an exact double, 10^k is an exact double for k up to 22, and one IEEE
// division rounds the exact quotient once, which is the correctly rounded
// value strtod gives too. Everything else goes to strtod. Inline because it
// runs for every literal of every evaluation.
inline NumberRead read_number(const char* text) {
    // The single rounding needs double arithmetic without wider
    // intermediates; where the compiler evaluates in extended precision
    // (x87), every literal goes to strtod.
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
    return read_number_with_strtod(text);
#else
    const char* s = text;
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) return read_number_with_strtod(text);
    uint64_t mantissa = 0;  // [0, 2^53)
    bool any_digit = false;
    while (static_cast<unsigned char>(*s - '0') <= 9) {
        mantissa = mantissa * 10 + static_cast<uint64_t>(*s - '0');
        if (mantissa >= MAX_EXACT_MANTISSA) return read_number_with_strtod(text);
        any_digit = true;
        ++s;
    }
    int scale = 0;  // fraction digits, [0, MAX_FAST_SCALE]
    if (*s == '.') {
        ++s;
        while (static_cast<unsigned char>(*s - '0') <= 9) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(*s - '0');
            ++scale;
            if (mantissa >= MAX_EXACT_MANTISSA || scale > MAX_FAST_SCALE) {
                return read_number_with_strtod(text);
            }
            any_digit = true;
            ++s;
        }
    }
    // A "." without a digit on either side is no number at all.
    if (!any_digit) return NumberRead{0.0, 0};
    if (*s == 'e' || *s == 'E') return read_number_with_strtod(text);
    const double digits = static_cast<double>(mantissa);
    const double value = scale == 0 ? digits : digits / POWERS_OF_TEN[scale];
    return NumberRead{value, s - text};
#endif
}
