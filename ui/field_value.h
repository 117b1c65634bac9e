// Turning the text of one input field into a number.
#pragma once

#include <cstdint>

// The field texts that compute reads hold at most this many characters; a
// longer text is refused before it is converted (a cut digit string would
// read as another number).
constexpr int32_t FIELD_TEXT_MAX = 127;

// Empty text, or text of spaces (U+0020) only, is 0. Any other text must be
// one number and nothing else: leading white space, then what the C99
// conversion to double takes in the "C" locale (decimal and hexadecimal
// forms, inf / infinity / nan in any letter case, a magnitude beyond the
// double range giving infinity, correctly rounded so that the Windows and
// the Linux builds read every text alike), then at most white space. A text
// that holds no number, or more than the number (12abc, 3,5, full-width
// digits, 1O0 with a letter O), gives NaN: compute refuses every value that
// is not finite, so a mistyped field is never computed as a number the
// user did not write. Reads at most the first FIELD_TEXT_MAX characters of
// `text` (terminated; null reads as empty).
double field_value(const wchar_t* text);
