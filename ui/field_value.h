// Turning the text of one input field into a number.
#pragma once

// Empty text, or text of spaces (U+0020) only, is 0. Any other text is read
// by the C99 wide-text-to-double conversion in the "C" locale, ignoring what
// follows the number: leading white space skipped, decimal and hexadecimal
// forms, inf / infinity / nan in any letter case, no number gives 0, a
// magnitude beyond the double range gives infinity. On Windows this is
// mingw-w64's own conversion, not msvcrt's, so both builds read alike.
// `text` must be terminated; null reads as empty.
double field_value(const wchar_t* text);
