// Turning the text of one input field into a number.
#pragma once

#include <cstdint>

// The field texts that compute reads hold at most this many characters.
constexpr int32_t FIELD_TEXT_MAX = 127;

// Empty text, or text of spaces (U+0020) only, is 0. Any other text is read
// as the C99 conversion to double reads it, in the "C" locale, ignoring what
// follows the number: leading white space skipped, decimal and hexadecimal
// forms, inf / infinity / nan in any letter case, no number gives 0, a
// magnitude beyond the double range gives infinity; correctly rounded, so
// that the Windows and the Linux builds read every text alike. Reads at most
// the first FIELD_TEXT_MAX characters of `text` (terminated; null reads as
// empty).
double field_value(const wchar_t* text);
