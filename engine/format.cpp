// format_value: a number as text by a short format code.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/engine.h"

namespace {

constexpr int32_t NUMBER_TEXT_BYTES = 80;

// A date text holds at most a 17-digit signed year and "-MM-DD".
constexpr int32_t DATE_TEXT_CAPACITY = 40;

// Every double strictly between these truncates to a day number inside
// DAY_NUMBER_MIN to DAY_NUMBER_MAX (2^61 - 1 and its negative); both bounds
// are exact doubles, so the comparison needs no conversion.
static_assert(DAY_NUMBER_MAX == (int64_t{1} << 61) - 1);
static_assert(DAY_NUMBER_MIN == -DAY_NUMBER_MAX);
constexpr double DAY_VALUE_LIMIT = 2305843009213693952.0;  // 2^61

const wchar_t NOT_SHOWN[] = L"--";

// The conversion of a code, "f2" for any code not listed.
const char* conversion_of(const char* code) {
    struct CodeRow {
        const char* code;
        const char* conversion;
    };
    static constexpr CodeRow CODES[] = {
        {"f0", "%.0f"},
        {"f1", "%.1f"},
        {"f3", "%.3f"},
        {"int", "%.0f"},
        {"pct", "%.1f%%"},
    };
    for (const CodeRow& row : CODES) {
        if (std::strcmp(code, row.code) == 0) return row.conversion;
    }
    return "%.2f";
}

void format_date(double value, wchar_t* text, int32_t capacity) {
    if (!(value > -DAY_VALUE_LIMIT && value < DAY_VALUE_LIMIT)) {
        text_copy(text, capacity, NOT_SHOWN);
        return;
    }
    wchar_t date[DATE_TEXT_CAPACITY];
    civil_from_days(static_cast<day_number>(value), date, DATE_TEXT_CAPACITY);
    if (text_length(date) >= capacity) {
        text_copy(text, capacity, NOT_SHOWN);
        return;
    }
    text_copy(text, capacity, date);
}

}  // namespace

void format_value(const char* format, double value, wchar_t* text, int32_t capacity) {
    if (text == nullptr || capacity < 1) return;
    if (!std::isfinite(value)) {
        text_copy(text, capacity, NOT_SHOWN);
        return;
    }
    const char* code = format != nullptr ? format : "f2";
    if (std::strcmp(code, "date") == 0) {
        format_date(value, text, capacity);
        return;
    }
    // The program never changes the locale, so the narrow conversion runs
    // in the classic "C" locale: decimal point ".", no grouping.
    char number[NUMBER_TEXT_BYTES];
    const int written = std::snprintf(number, sizeof number, conversion_of(code), value);
    // A text that did not fit the scratch or the caller's room would show
    // cut digits, which read as another number: show "--" instead.
    if (written < 0 || written >= NUMBER_TEXT_BYTES || written >= capacity) {
        text_copy(text, capacity, NOT_SHOWN);
        return;
    }
    for (int i = 0; i < written; ++i) {
        text[i] = static_cast<wchar_t>(static_cast<unsigned char>(number[i]));
    }
    text[written] = L'\0';
}
