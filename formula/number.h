// Reading of number literals in formulas: the one place where the formula
// evaluator turns text into a double.
#pragma once

#include <cstddef>

struct NumberRead {
    double value;      // the converted number; 0 when nothing converts
    ptrdiff_t length;  // characters taken; 0 when nothing converts
};

// Takes `text` positioned at a decimal digit or "."; reads the longest prefix
// that forms a number, exactly as strtod does in the classic locale: digits
// with an optional fraction and an optional exponent, or after "0x"/"0X"
// hexadecimal digits with an optional fraction and a "p" exponent. A
// magnitude beyond the double range gives infinity. The value is bit for bit
// strtod's. Reads no further than the number and the character after it.
NumberRead read_number(const char* text);
