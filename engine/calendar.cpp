// Day numbers and civil dates by Howard Hinnant's algorithms, in 64-bit
// arithmetic throughout (every division truncates toward zero).
#include "engine/calendar.h"

#include "engine/text.h"

day_number days_from_civil(int32_t year, int32_t month, int32_t day) {
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t m = month;
    const int64_t d = day;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;                                  // [0, 399]
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;  // [0, 365]
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;          // [0, 146096]
    return era * 146097 + doe - 719468;
}

void civil_from_days(day_number day, wchar_t* text, int32_t capacity) {
    if (day < DAY_NUMBER_MIN || day > DAY_NUMBER_MAX) {
        text_copy(text, capacity, L"--");
        return;
    }
    const int64_t z = day + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;                                       // [0, 146096]
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
    const int64_t mp = (5 * doy + 2) / 153;                                     // [0, 11]
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;                             // [1, 31]
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;                                // [1, 12]
    const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    text_format(text, capacity, L"%04lld-%02lld-%02lld", static_cast<long long>(y),
                static_cast<long long>(m), static_cast<long long>(d));
}
