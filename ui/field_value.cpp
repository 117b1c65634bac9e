#include "ui/field_value.h"

#include <cwchar>

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
#if defined(__MINGW32__)
    // msvcrt's wcstod knows neither the infinity and NaN forms nor hex
    // numbers; mingw-w64's conversion follows C99.
    return __mingw_wcstod(text, nullptr);
#else
    return std::wcstod(text, nullptr);
#endif
}
