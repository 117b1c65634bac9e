// Day numbers and date texts: the fixed points, era and leap boundaries,
// negative years, a round trip over a wide range and the range guard.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "engine/calendar.h"
#include "engine/text.h"

namespace {

std::wstring date_text(day_number day) {
    wchar_t text[64];
    civil_from_days(day, text, 64);
    return text;
}

struct FixedPoint {
    const char* name;
    int32_t year, month, day;
    day_number number;
    const wchar_t* text;
};

const FixedPoint FIXED_POINTS[] = {
    {"epoch", 1970, 1, 1, 0, L"1970-01-01"},
    {"day before the epoch", 1969, 12, 31, -1, L"1969-12-31"},
    {"day 59", 1970, 3, 1, 59, L"1970-03-01"},
    {"leap day 2000", 2000, 2, 29, 11016, L"2000-02-29"},
    {"after leap day 2000", 2000, 3, 1, 11017, L"2000-03-01"},
    {"leap day 2024", 2024, 2, 29, 19782, L"2024-02-29"},
    {"year 0 March 1", 0, 3, 1, -719468, L"0000-03-01"},
    {"year 0 leap day", 0, 2, 29, -719469, L"0000-02-29"},
    {"year 0 January 1", 0, 1, 1, -719528, L"0000-01-01"},
    {"year -1 last day", -1, 12, 31, -719529, L"-001-12-31"},
    {"year -1 first day", -1, 1, 1, -719893, L"-001-01-01"},
    {"year -400 March 1 (era start)", -400, 3, 1, -719468 - 146097, L"-400-03-01"},
    {"year -401 last February day", -400, 2, 29, -719468 - 146097 - 1, L"-400-02-29"},
    {"year 400 era start", 400, 3, 1, -719468 + 146097, L"0400-03-01"},
    {"1900 not leap", 1900, 3, 1, -25508, L"1900-03-01"},
    {"1900 February end", 1900, 2, 28, -25509, L"1900-02-28"},
    {"2100 not leap", 2100, 3, 1, 47541, L"2100-03-01"},
    {"year 9999", 9999, 12, 31, 2932896, L"9999-12-31"},
    {"five-digit year", 10000, 1, 1, 2932897, L"10000-01-01"},
    {"year -10000", -10000, 1, 1, -4371953, L"-10000-01-01"},
};

TEST(Calendar, FixedPointsBothWays) {
    for (const FixedPoint& fp : FIXED_POINTS) {
        EXPECT_EQ(days_from_civil(fp.year, fp.month, fp.day), fp.number) << fp.name;
        EXPECT_EQ(date_text(fp.number), std::wstring(fp.text)) << fp.name;
    }
}

bool is_leap(int64_t y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

int64_t month_length(int64_t y, int64_t m) {
    static const int64_t LENGTHS[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && is_leap(y) ? 29 : LENGTHS[m - 1];
}

// Walks the calendar one day at a time with the plain leap rule, from
// -400-03-01 (an era start) to day 800000, and checks both conversions on
// every day.
TEST(Calendar, RoundTripOverEveryDayOfAWideRange) {
    int64_t y = -400, m = 3, d = 1;
    day_number first = -719468 - 146097;
    int32_t mismatches = 0;
    for (day_number n = first; n <= 800000; ++n) {
        if (days_from_civil(static_cast<int32_t>(y), static_cast<int32_t>(m), static_cast<int32_t>(d)) != n) {
            ++mismatches;
        }
        wchar_t expected[64];
        text_format(expected, 64, L"%04lld-%02lld-%02lld", static_cast<long long>(y),
                    static_cast<long long>(m), static_cast<long long>(d));
        if (date_text(n) != expected) ++mismatches;
        if (mismatches > 0) {
            ADD_FAILURE() << "first mismatch at day " << n;
            break;
        }
        if (++d > month_length(y, m)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(y, 4160);  // day 800000 is 4160-04-29; the walk stops one day later
    EXPECT_EQ(m, 4);
    EXPECT_EQ(d, 30);
}

TEST(Calendar, ExtremeYearsDoNotOverflow) {
    const day_number top = days_from_civil(INT32_MAX, 12, 31);
    const day_number bottom = days_from_civil(INT32_MIN, 1, 1);
    EXPECT_EQ(date_text(top), L"2147483647-12-31");
    EXPECT_EQ(date_text(bottom), L"-2147483648-01-01");
    EXPECT_EQ(date_text(top + 1), L"2147483648-01-01");
    EXPECT_EQ(date_text(bottom - 1), L"-2147483649-12-31");
}

struct GuardCase {
    const char* name;
    day_number day;
    bool shown;
};

const GuardCase GUARD_CASES[] = {
    {"largest", DAY_NUMBER_MAX, true},
    {"smallest", DAY_NUMBER_MIN, true},
    {"above", DAY_NUMBER_MAX + 1, false},
    {"below", DAY_NUMBER_MIN - 1, false},
    {"int64 max", INT64_MAX, false},
    {"int64 min", INT64_MIN, false},
};

TEST(Calendar, DaysOutsideTheRangeShowDashes) {
    for (const GuardCase& gc : GUARD_CASES) {
        const std::wstring text = date_text(gc.day);
        if (gc.shown) {
            EXPECT_NE(text, L"--") << gc.name;
            EXPECT_GT(text.size(), 10u) << gc.name;
        } else {
            EXPECT_EQ(text, L"--") << gc.name;
        }
    }
}

// The ends of the range still give a well-formed date: digits, then
// "-MM-DD", with a sign only on the lower end.
TEST(Calendar, LargestDayGivesAValidDate) {
    const std::wstring text = date_text(DAY_NUMBER_MAX);
    ASSERT_GE(text.size(), 6u);
    const std::wstring month_day = text.substr(text.size() - 6);
    EXPECT_EQ(month_day[0], L'-');
    EXPECT_EQ(month_day[3], L'-');
    EXPECT_EQ(text.substr(0, text.size() - 6).find(L'-'), std::wstring::npos);
    const std::wstring low = date_text(DAY_NUMBER_MIN);
    EXPECT_EQ(low[0], L'-');
}

TEST(Calendar, DateTextIsCutToTheCapacity) {
    wchar_t text[16];
    for (wchar_t& ch : text) ch = L'#';
    civil_from_days(19782, text, 5);
    EXPECT_EQ(std::wstring(text), L"2024");
    EXPECT_EQ(text[5], L'#');
    civil_from_days(19782, text, 1);
    EXPECT_EQ(text[0], L'\0');
    text[0] = L'#';
    civil_from_days(19782, text, 0);
    EXPECT_EQ(text[0], L'#');
    civil_from_days(INT64_MAX, text, 2);
    EXPECT_EQ(std::wstring(text), L"-");
}

}  // namespace
