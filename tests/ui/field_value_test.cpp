// The conversion of a field's text, on its own.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ui/field_value.h"

namespace {

TEST(FieldValueTest, ReadsOneNumberLikeC99) {
    struct Case {
        const wchar_t* text;
        double value;
    };
    const Case cases[] = {
        {L"", 0.0},         {L"   ", 0.0},       {L"\t 7", 7.0},    {L" \t42", 42.0},
        {L"40 ", 40.0},     {L"  40\t ", 40.0},  {L"+5", 5.0},      {L"-2.25", -2.25},
        {L".5", 0.5},       {L"5.", 5.0},        {L"1e3", 1000.0},  {L"1E-2", 0.01},
        {L"0x1A", 26.0},    {L"0X1.8p1", 3.0},   {L"-0x10", -16.0}, {L"1e-400", 0.0},
        {L"1.23457e+06", 1234570.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(field_value(c.text), c.value) << "text \"" << testing::PrintToString(std::wstring(c.text)) << "\"";
    }
    EXPECT_EQ(field_value(nullptr), 0.0);
}

// A mistyped field must never be computed as the number it starts with (or
// as 0): each of these gives NaN, which compute refuses.
TEST(FieldValueTest, TextThatIsNotOneNumberGivesNan) {
    const wchar_t* const cases[] = {
        L"12abc", L"3,5",   L"1O0",     L"l00",       L"40mmol",  L"12 34",  L"1.2.3",
        L"abc",   L"+",     L"-",       L".",         L"1e",      L"0x",     L"\t",
        L"infin", L"1e3e4", L"--5",     L"１２",      L"１00",     L"4０",     L"12\u00b73",
        L"\u300012", L"12\u3000", L"\u00a012", L"7\u0e35", L"40，", L"40。",
    };
    for (const wchar_t* text : cases) {
        EXPECT_TRUE(std::isnan(field_value(text))) << testing::PrintToString(std::wstring(text));
    }
}

TEST(FieldValueTest, InfinityAndNanFormsInAnyCase) {
    struct Case {
        const wchar_t* text;
        int sign;  // 1, -1 for infinities; 0 for NaN
    };
    const Case cases[] = {
        {L"inf", 1},       {L"INF", 1},      {L"Inf", 1},       {L"-inf", -1},   {L"+inf", 1},
        {L"infinity", 1},  {L"INFINITY", 1}, {L"iNfInItY", 1},  {L"-Infinity", -1},
        {L"1e999", 1},     {L"-1e999", -1},  {L"0x1p2000", 1},  {L" inf ", 1},
        {L"nan", 0},       {L"NAN", 0},      {L"nAn", 0},       {L"-nan", 0},    {L"nan(0x12)", 0},
    };
    for (const Case& c : cases) {
        const double value = field_value(c.text);
        const std::string name = testing::PrintToString(std::wstring(c.text));
        if (c.sign == 0) {
            EXPECT_TRUE(std::isnan(value)) << name;
        } else {
            EXPECT_TRUE(std::isinf(value)) << name;
            EXPECT_EQ(value > 0, c.sign > 0) << name;
        }
    }
}

// Both builds must read the same double from the same text: long digit
// strings are rounded correctly (mingw-w64's wide conversion misses these by
// one unit in the last place).
TEST(FieldValueTest, LongDigitStringsAreCorrectlyRounded) {
    struct Case {
        const wchar_t* text;
        double value;
    };
    const Case cases[] = {
        {L"84881552933185445885", 0x1.267df6aaf1823p+66},
        {L"80104356022265012220", 0x1.15eaf5d90921dp+66},
        {L"71494059440117395455", 0x1.f016f6226f6e1p+65},
        {L"31411325198527981569", 0x1.b3eb71d7fe897p+64},
        {L"0.1", 0x1.999999999999ap-4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(field_value(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
    }
    const std::wstring power = L"1" + std::wstring(126, L'0');
    EXPECT_EQ(field_value(power.c_str()), 1e126);
}

// Compute refuses a longer field before it is read; the conversion itself
// never looks past the 127th character.
TEST(FieldValueTest, ReadsAtMost127Characters) {
    const std::wstring cut = L"1" + std::wstring(126, L'0') + L"e999";
    EXPECT_EQ(field_value(cut.c_str()), 1e126);
    const std::wstring cut_after_letter = L"1" + std::wstring(126, L'0') + L"x";
    EXPECT_EQ(field_value(cut_after_letter.c_str()), 1e126);
}

}  // namespace
