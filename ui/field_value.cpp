#include "ui/field_value.h"

#include <cstdlib>

namespace {

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
    // Every character a number can hold, and every white space the wide
    // conversion skips in the "C" locale, is ASCII: the number ends at the
    // first other character, so the narrow conversion reads the same
    // number. It is used because mingw-w64's wide conversion is not
    // correctly rounded (it misses by one unit in the last place for some
    // inputs of 18 digits and more), and msvcrt's knows neither infinity,
    // NaN nor hexadecimal forms; mingw-w64's narrow one is exact, as glibc's.
    char narrow[FIELD_TEXT_MAX + 1];
    int32_t length = 0;
    while (length < FIELD_TEXT_MAX && text[length] != L'\0' && text[length] < 0x80) {
        narrow[length] = static_cast<char>(text[length]);
        ++length;
    }
    narrow[length] = '\0';
#if defined(__MINGW32__)
    return __mingw_strtod(narrow, nullptr);
#else
    return std::strtod(narrow, nullptr);
#endif
}
