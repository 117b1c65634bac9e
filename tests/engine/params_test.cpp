// Reading parameters by key and the whole-number reading of a value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/params.h"

namespace {

const ParameterSpec PARAMS[] = {
    {"days", L"天数", L"天", 7},
    {"Days", L"天数2", nullptr, 8},
    {"dose", L"剂量", L"mg", 9},
    {"days", L"重复", L"天", 10},
};

const ToolDefinition TOOL = {
    1, L"t", nullptr, L"c", L"r", nullptr, 4, PARAMS, 0, nullptr, 0, nullptr, 0,
};

TEST(ParamByKey, FirstExactMatchInParamsOrder) {
    const double values[] = {1.5, 2.5, 3.5, 4.5};
    EXPECT_EQ(param_by_key(TOOL, values, "days"), 1.5);
    EXPECT_EQ(param_by_key(TOOL, values, "Days"), 2.5);
    EXPECT_EQ(param_by_key(TOOL, values, "dose"), 3.5);
}

TEST(ParamByKey, MissingKeyReadsZero) {
    const double values[] = {1.5, 2.5, 3.5, 4.5};
    EXPECT_EQ(param_by_key(TOOL, values, "DAYS"), 0.0);
    EXPECT_EQ(param_by_key(TOOL, values, "day"), 0.0);
    EXPECT_EQ(param_by_key(TOOL, values, "days "), 0.0);
    EXPECT_EQ(param_by_key(TOOL, values, ""), 0.0);
    EXPECT_EQ(param_by_key(TOOL, values, nullptr), 0.0);
}

TEST(ParamByKey, OnlyTheCountedParametersAreSearched) {
    const ToolDefinition two = {1, L"t", nullptr, L"c", L"r", nullptr, 2, PARAMS, 0, nullptr, 0, nullptr, 0};
    const double values[] = {1.5, 2.5};
    EXPECT_EQ(param_by_key(two, values, "dose"), 0.0);
}

struct WholeCase {
    const char* name;
    double value;
    int32_t expected;
};

const WholeCase WHOLE_CASES[] = {
    {"zero", 0.0, 0},
    {"negative zero", -0.0, 0},
    {"2.9 truncates", 2.9, 2},
    {"-0.5 truncates to 0", -0.5, 0},
    {"-1.5 truncates to -1", -1.5, -1},
    {"largest", 2147483647.0, 2147483647},
    {"just below the top", 2147483647.9, 2147483647},
    {"top bound", 2147483648.0, INT32_MIN},
    {"far above", 1e300, INT32_MIN},
    {"smallest", -2147483648.0, INT32_MIN},
    {"-2147483648.5 truncates into range", -2147483648.5, INT32_MIN},
    {"-2147483648.9 truncates into range", -2147483648.9, INT32_MIN},
    {"just outside the bottom", -2147483649.0, INT32_MIN},
    {"far below", -1e300, INT32_MIN},
    {"plus infinity", std::numeric_limits<double>::infinity(), INT32_MIN},
    {"minus infinity", -std::numeric_limits<double>::infinity(), INT32_MIN},
    {"NaN", std::numeric_limits<double>::quiet_NaN(), INT32_MIN},
    {"tiny", 1e-300, 0},
    {"seven", 7.0, 7},
    {"minus seven and a bit", -7.999, -7},
};

TEST(WholeNumber, TruncatesTowardZeroAndGuardsTheRange) {
    for (const WholeCase& wc : WHOLE_CASES) {
        EXPECT_EQ(whole_number(wc.value), wc.expected) << wc.name;
    }
}

// -2147483648.5 lies inside the range (it truncates to INT32_MIN itself), so
// the result above is the true truncation; the one next to it shows that a
// value just inside the bottom is truncated, not refused.
TEST(WholeNumber, BottomOfTheRangeIsTruncatedNotRefused) {
    EXPECT_EQ(whole_number(-2147483647.5), -2147483647);
}

}  // namespace
