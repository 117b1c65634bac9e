#include "ui/field_value.h"

#include <cstdlib>
#include <limits>

namespace {

constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

// The white space the conversion skips before a number in the "C" locale.
bool is_white_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool only_spaces(const wchar_t* text) {
    for (; *text != L'\0'; ++text) {
        if (*text != L' ') {
            return false;
        }
    }
    return true;
}

}  // namespace

double field_value(const wchar_t* text) {
    if (text == nullptr || only_spaces(text)) {
        return 0.0;
    }
    // Every character a number can hold, and every white space the
    // conversion skips in the "C" locale, is ASCII, so a text with any other
    // character is no number. The narrow conversion is used because
    // mingw-w64's wide conversion is not correctly rounded (it misses by one
    // unit in the last place for some inputs of 18 digits and more), and
    // msvcrt's knows neither infinity, NaN nor hexadecimal forms; mingw-w64's
    // narrow one is exact, as glibc's.
    char narrow[FIELD_TEXT_MAX + 1];
    int32_t length = 0;
    while (length < FIELD_TEXT_MAX && text[length] != L'\0') {
        if (static_cast<uint32_t>(text[length]) >= 0x80) {
            return NOT_A_NUMBER;
        }
        narrow[length] = static_cast<char>(text[length]);
        ++length;
    }
    narrow[length] = '\0';
    char* end = nullptr;
#if defined(__MINGW32__)
    const double value = __mingw_strtod(narrow, &end);
#else
    const double value = std::strtod(narrow, &end);
#endif
    if (end == narrow) {
        return NOT_A_NUMBER;  // nothing converted
    }
    for (; *end != '\0'; ++end) {
        if (!is_white_space(*end)) {
            return NOT_A_NUMBER;  // text after the number
        }
    }
    return value;
}
