// format_value with every code, any value and any capacity from 1 to 128.
// Input: a code selector (the seven codes, null, unknown codes, or the next
// bytes up to a NUL as the code), the capacity, the value.
//
// Checks against the C library's own conversion: a finite value whose text
// fits both the 80-byte scratch and the capacity shows exactly that text;
// anything else shows "--" cut to the capacity. A date shows
// "YYYY-MM-DD" (year at least four digits, maybe signed): the day the value
// cuts to toward zero, or "--" beyond the day range or the capacity.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/engine.h"
#include "fuzz_input.h"

namespace {

const char* const CODES[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", nullptr, "", "F0", "f4", "dates", "%n"};
constexpr int CODE_COUNT = sizeof(CODES) / sizeof(CODES[0]);

const char* conversion_of(const std::string& code) {
    if (code == "f0" || code == "int") return "%.0f";
    if (code == "f1") return "%.1f";
    if (code == "f3") return "%.3f";
    if (code == "pct") return "%.1f%%";
    return "%.2f";
}

// The date text of a day number, by Hinnant's civil_from_days in 64-bit
// arithmetic (the day range keeps every intermediate inside 64 bits).
std::wstring date_of(int64_t day) {
    const int64_t z = day + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", static_cast<long long>(y), static_cast<long long>(m),
                  static_cast<long long>(d));
    return std::wstring(text, text + std::strlen(text));
}

bool looks_like_date(const std::wstring& text) {
    size_t at = 0;
    if (at < text.size() && text[at] == L'-') ++at;
    size_t digits = 0;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') ++at, ++digits;
    if (digits < 3 || (digits < 4 && text[0] != L'-')) return false;
    const std::wstring tail = text.substr(at);
    if (tail.size() != 6 || tail[0] != L'-' || tail[3] != L'-') return false;
    const int month = (tail[1] - L'0') * 10 + (tail[2] - L'0');
    const int day = (tail[4] - L'0') * 10 + (tail[5] - L'0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const uint8_t selector = in.byte();
    std::string own_code;
    const char* code;
    if (selector < 240) {
        code = CODES[selector % CODE_COUNT];
    } else {
        while (in.left() > 0) {
            const uint8_t c = in.byte();
            if (c == 0) break;
            own_code += static_cast<char>(c);
        }
        code = own_code.c_str();
    }
    const int32_t capacity = in.in_range(1, 128);
    const double value = in.value();

    WideBuffer text(capacity);
    format_value(code, value, text.text, capacity);
    const int32_t length = text.terminated_length();
    FUZZ_CHECK(length >= 0);
    const std::wstring shown(text.text);
    const std::wstring not_shown = std::wstring(L"--").substr(0, static_cast<size_t>(capacity - 1));

    const std::string code_text = code != nullptr ? code : "f2";
    if (!std::isfinite(value)) {
        FUZZ_CHECK(shown == not_shown);
    } else if (code_text == "date") {
        FUZZ_CHECK(shown == not_shown || looks_like_date(shown));
        // Within the day range the date is exact when it fits the capacity.
        if (std::fabs(value) < 2305843009213693952.0) {
            const std::wstring date = date_of(static_cast<int64_t>(value));
            FUZZ_CHECK(shown == (date.size() < static_cast<size_t>(capacity) ? date : not_shown));
        } else {
            FUZZ_CHECK(shown == not_shown);
        }
    } else {
        char expected[512];
        const int written = std::snprintf(expected, sizeof expected, conversion_of(code_text), value);
        if (written < 80 && written < capacity) {
            FUZZ_CHECK(shown == std::wstring(expected, expected + written));
        } else {
            FUZZ_CHECK(shown == not_shown);
        }
    }
    return 0;
}
