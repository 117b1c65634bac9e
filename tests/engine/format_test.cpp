// format_value: every code, the examples of the format table, non-finite
// values, dates and the "--" rule for texts that would not fit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "engine/engine.h"

namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

struct FormatCase {
    const char* name;
    const char* code;
    double value;
    const wchar_t* expected;
};

const FormatCase FORMAT_CASES[] = {
    {"f0 900", "f0", 900, L"900"},
    {"f0 rounds", "f0", 899.6, L"900"},
    {"f1 7.26", "f1", 7.26, L"7.3"},
    {"f2 3", "f2", 3, L"3.00"},
    {"absent code is f2", nullptr, 3, L"3.00"},
    {"unknown code is f2", "f9", 3, L"3.00"},
    {"codes are case-sensitive", "F0", 900, L"900.00"},
    {"empty code is f2", "", 1.005, L"1.00"},
    {"f3 0.5", "f3", 0.5, L"0.500"},
    {"int 12.7", "int", 12.7, L"13"},
    {"int negative", "int", -12.7, L"-13"},
    {"pct 12.34", "pct", 12.34, L"12.3%"},
    {"pct 0.5 is not multiplied", "pct", 0.5, L"0.5%"},
    {"f2 negative", "f2", -1234.567, L"-1234.57"},
    {"f2 no grouping", "f2", 1234567.0, L"1234567.00"},
    {"date 0", "date", 0, L"1970-01-01"},
    {"date -1", "date", -1, L"1969-12-31"},
    {"date -0.5 is day 0", "date", -0.5, L"1970-01-01"},
    {"date -1.5 is day -1", "date", -1.5, L"1969-12-31"},
    {"date 59", "date", 59, L"1970-03-01"},
    {"date 59.9 truncates", "date", 59.9, L"1970-03-01"},
    {"date 19782", "date", 19782, L"2024-02-29"},
    {"date year 0", "date", -719468, L"0000-03-01"},
    {"date 1e300 out of range", "date", 1e300, L"--"},
    {"date -1e300 out of range", "date", -1e300, L"--"},
    {"date 2^61 out of range", "date", 2305843009213693952.0, L"--"},
    {"date -2^61 out of range", "date", -2305843009213693952.0, L"--"},
    {"infinity", "f2", INF, L"--"},
    {"minus infinity", "f0", -INF, L"--"},
    {"NaN", "pct", NOT_A_NUMBER, L"--"},
    {"NaN date", "date", NOT_A_NUMBER, L"--"},
    {"infinite date", "date", INF, L"--"},
    {"1e300 f3 exceeds the scratch", "f3", 1e300, L"--"},
    {"1e80 f0 exceeds the scratch", "f0", 1e80, L"--"},
    {"-1e79 f0 needs 80 bytes", "f0", -1e79, L"--"},
    {"1e78 f0 fills the scratch with 79 digits", "f0", 1e78,
     L"1000000000000000008493621433689702976148869924598760615894999102702796905906176"},
};

TEST(FormatValue, CodesGiveTheExpectedText) {
    for (const FormatCase& fc : FORMAT_CASES) {
        wchar_t text[VALUE_TEXT_CAPACITY];
        format_value(fc.code, fc.value, text, VALUE_TEXT_CAPACITY);
        EXPECT_EQ(std::wstring(text), std::wstring(fc.expected)) << fc.name;
    }
}

// The largest date shown lies just below 2^61 days.
TEST(FormatValue, LargestDateInsideTheRangeIsShown) {
    wchar_t text[VALUE_TEXT_CAPACITY];
    format_value("date", 2305843009213693696.0, text, VALUE_TEXT_CAPACITY);  // 2^61 - 256
    EXPECT_NE(std::wstring(text), L"--");
    EXPECT_GT(text_length(text), 20);
}

struct CapacityCase {
    const char* name;
    const char* code;
    double value;
    int32_t capacity;
    const wchar_t* expected;
};

const CapacityCase CAPACITY_CASES[] = {
    {"exactly fits", "f2", 3, 5, L"3.00"},
    {"one short shows dashes", "f2", 3, 4, L"--"},
    {"f0 exactly fits", "f0", 900, 4, L"900"},
    {"f0 one short", "f0", 900, 3, L"--"},
    {"date exactly fits", "date", 19782, 11, L"2024-02-29"},
    {"date one short", "date", 19782, 10, L"--"},
    {"non-finite in room 3", "f2", INF, 3, L"--"},
    {"dashes cut in room 2", "f2", 123456, 2, L"-"},
    {"room 1 is empty", "f2", 1, 1, L""},
};

TEST(FormatValue, TextThatDoesNotFitShowsDashes) {
    for (const CapacityCase& cc : CAPACITY_CASES) {
        wchar_t text[32];
        for (wchar_t& ch : text) ch = L'#';
        format_value(cc.code, cc.value, text, cc.capacity);
        EXPECT_EQ(std::wstring(text), std::wstring(cc.expected)) << cc.name;
        for (int32_t i = cc.capacity; i < 32; ++i) {
            ASSERT_EQ(text[i], L'#') << cc.name << " wrote at " << i;
        }
    }
}

TEST(FormatValue, ZeroCapacityWritesNothing) {
    wchar_t text[2] = {L'#', L'#'};
    format_value("f2", 1, text, 0);
    EXPECT_EQ(text[0], L'#');
}

}  // namespace
