// The bounded wide formatter and the text helpers: every conversion the
// program uses, cutting at small capacities, and the append rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "engine/text.h"

namespace {

constexpr wchar_t SENTINEL = L'#';
constexpr int32_t BUFFER = 600;

using FormatCall = bool (*)(wchar_t* out, int32_t capacity);

struct FormatCase {
    const char* name;
    FormatCall call;
    const wchar_t* expected;
};

const FormatCase FORMAT_CASES[] = {
    {"ls", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%ls]", L"估算渗透压"); }, L"[估算渗透压]"},
    {"ls width", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%5ls]", L"ab"); }, L"[   ab]"},
    {"ls left width", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%-5ls]", L"ab"); }, L"[ab   ]"},
    {"ls precision", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%.2ls]", L"abcdef"); }, L"[ab]"},
    {"ls star precision", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%.*ls]", 3, L"abcdef"); }, L"[abc]"},
    {"ls null", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%ls]", static_cast<const wchar_t*>(nullptr)); }, L"[(null)]"},
    {"ls empty", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%ls]", L""); }, L"[]"},
    {"s narrow", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%s]", "glu"); }, L"[glu]"},
    {"d", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%d", 42); }, L"42"},
    {"d negative", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%d", -7); }, L"-7"},
    {"d int min", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%d", INT32_MIN); }, L"-2147483648"},
    {"i", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%i", 5); }, L"5"},
    {"02d", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%02d:%02d", 7, 30); }, L"07:30"},
    {"02d wide value", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%02d", 123); }, L"123"},
    {"02d negative", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%03d", -5); }, L"-05"},
    {"03d", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%03d", 7); }, L"007"},
    {"04d", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%04d", 42); }, L"0042"},
    {"5d", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%5d]", 42); }, L"[   42]"},
    {"-5d", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%-5d]", 42); }, L"[42   ]"},
    {"-05d minus wins", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%-05d]", 42); }, L"[42   ]"},
    {"+d", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%+d", 42); }, L"+42"},
    {"space d", [](wchar_t* o, int32_t c) { return text_format(o, c, L"% d", 42); }, L" 42"},
    {"star width", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%*d]", 4, 7); }, L"[   7]"},
    {"star negative width", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%*d]", -4, 7); }, L"[7   ]"},
    {"precision d", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%6.3d]", 7); }, L"[   007]"},
    {"zero flag ignored with precision", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%06.3d]", 7); }, L"[   007]"},
    {"lld", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%lld", static_cast<long long>(INT64_MIN)); }, L"-9223372036854775808"},
    {"04lld", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%04lld", 24LL); }, L"0024"},
    {"04lld negative", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%04lld", -1LL); }, L"-001"},
    {"02lld", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%02lld", 3LL); }, L"03"},
    {"ld", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%ld", -123456L); }, L"-123456"},
    {"hd", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%hd", 65537); }, L"1"},
    {"hhd", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%hhd", 255); }, L"-1"},
    {"zu", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%zu", static_cast<size_t>(12345)); }, L"12345"},
    {"jd", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%jd", static_cast<intmax_t>(-9)); }, L"-9"},
    {"u", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%u", 4294967295u); }, L"4294967295"},
    {"x", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%x", 255u); }, L"ff"},
    {"X", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%X", 255u); }, L"FF"},
    {"#06x", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%#06x", 255u); }, L"0x00ff"},
    {"c", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%c%c", L'A', L'：'); }, L"A："},
    {"lc", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%lc", static_cast<wint_t>(L'渗')); }, L"渗"},
    {"3c", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%3c]", L'x'); }, L"[  x]"},
    {".0f", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%.0f", 900.0); }, L"900"},
    {".0f half to even", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%.0f|%.0f", 0.5, 1.5); }, L"0|2"},
    {".1f", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%.1f", 7.26); }, L"7.3"},
    {".2f", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%.2f", 3.0); }, L"3.00"},
    {".2f negative", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%.2f", -0.004); }, L"-0.00"},
    {".3f", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%.3f", 0.5); }, L"0.500"},
    {"f default precision", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%f", 1.5); }, L"1.500000"},
    {"F", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%F", INFINITY); }, L"INF"},
    {"08.2f", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%08.2f", -3.14159); }, L"-0003.14"},
    {"8.2f", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%8.2f]", 3.14159); }, L"[    3.14]"},
    {"05f inf pads with spaces", [](wchar_t* o, int32_t c) { return text_format(o, c, L"[%05f]", INFINITY); }, L"[  inf]"},
    {"f nan", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%f", NAN); }, L"nan"},
    {"g", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%g", 0.0001); }, L"0.0001"},
    {"g exponent", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%g", 1e20); }, L"1e+20"},
    {".6g", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%.6g", 3.14159265); }, L"3.14159"},
    {"G", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%G", 1e-10); }, L"1E-10"},
    {"e", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%e", 12345.678); }, L"1.234568e+04"},
    {"E", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%.2E", 0.000123); }, L"1.23E-04"},
    {"percent", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%.1f%%", 12.34); }, L"12.3%"},
    {"lone percent sign", [](wchar_t* o, int32_t c) { return text_format(o, c, L"100%%"); }, L"100%"},
    {"date text", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%04lld-%02lld-%02lld", 2024LL, 2LL, 29LL); }, L"2024-02-29"},
    {"report line", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%ls：%ls %ls\r\n", L"估算渗透压", L"900", L"mOsm/L"); }, L"估算渗透压：900 mOsm/L\r\n"},
    {"dbl max fixed", [](wchar_t* o, int32_t c) { return text_format(o, c, L"%.0f", 1e300) && text_length(o) == 301; }, nullptr},
};

// The expected text of a case whose call compares by itself.
TEST(TextFormat, ConversionsGiveTheExpectedText) {
    for (const FormatCase& fc : FORMAT_CASES) {
        wchar_t out[BUFFER];
        bool fitted = fc.call(out, BUFFER);
        EXPECT_TRUE(fitted) << fc.name;
        if (fc.expected != nullptr) {
            EXPECT_EQ(std::wstring(out), std::wstring(fc.expected)) << fc.name;
        }
    }
}

// Every case again at each capacity from 0 to its length + 1: the text is
// the whole text's first capacity - 1 characters, the return tells whether
// it fitted, and nothing at or past the capacity is touched.
TEST(TextFormat, CutsEveryConversionAtEachSmallCapacity) {
    for (const FormatCase& fc : FORMAT_CASES) {
        if (fc.expected == nullptr) continue;
        const std::wstring full(fc.expected);
        const int32_t length = static_cast<int32_t>(full.size());
        for (int32_t capacity = 0; capacity <= length + 2; ++capacity) {
            wchar_t out[BUFFER];
            for (wchar_t& ch : out) ch = SENTINEL;
            bool fitted = fc.call(out, capacity);
            EXPECT_EQ(fitted, capacity > length) << fc.name << " capacity " << capacity;
            if (capacity == 0) {
                EXPECT_EQ(out[0], SENTINEL) << fc.name << " capacity 0 writes nothing";
                continue;
            }
            const int32_t kept = capacity - 1 < length ? capacity - 1 : length;
            EXPECT_EQ(std::wstring(out), full.substr(0, static_cast<size_t>(kept)))
                << fc.name << " capacity " << capacity;
            for (int32_t i = capacity; i < BUFFER; ++i) {
                ASSERT_EQ(out[i], SENTINEL) << fc.name << " capacity " << capacity << " wrote at " << i;
            }
        }
    }
}

TEST(TextFormat, LiteralTextIsCutAndTerminated) {
    wchar_t out[8];
    for (wchar_t& ch : out) ch = SENTINEL;
    EXPECT_FALSE(text_format(out, 4, L"abcdef"));
    EXPECT_EQ(std::wstring(out), L"abc");
    EXPECT_EQ(out[4], SENTINEL);
    EXPECT_TRUE(text_format(out, 7, L"abcdef"));
    EXPECT_EQ(std::wstring(out), L"abcdef");
    EXPECT_FALSE(text_format(out, 6, L"abcdef"));
    EXPECT_EQ(std::wstring(out), L"abcde");
}

TEST(TextFormat, EmptyAndNullFormatGiveEmptyText) {
    wchar_t out[4] = {SENTINEL, SENTINEL, SENTINEL, SENTINEL};
    EXPECT_TRUE(text_format(out, 4, L""));
    EXPECT_EQ(out[0], L'\0');
    out[0] = SENTINEL;
    EXPECT_TRUE(text_format(out, 1, nullptr));
    EXPECT_EQ(out[0], L'\0');
}

TEST(TextFormat, UnknownConversionEndsTheTextAndReportsACut) {
    wchar_t out[32];
    int never_written = 0;
    EXPECT_FALSE(text_format(out, 32, L"ab%nc%d", &never_written, 5));
    EXPECT_EQ(std::wstring(out), L"ab");
    EXPECT_EQ(never_written, 0);
    EXPECT_FALSE(text_format(out, 32, L"x%"));
    EXPECT_EQ(std::wstring(out), L"x");
}

TEST(TextFormat, NumberLongerThanItsScratchCountsAsCut) {
    wchar_t out[BUFFER];
    // DBL_MAX with 300 decimals is far longer than any number scratch.
    EXPECT_FALSE(text_format(out, BUFFER, L"%.300f|after", 1.7976931348623157e308));
    EXPECT_EQ(std::wstring(out).find(L"|after"), std::wstring::npos);
    EXPECT_LT(text_length(out), BUFFER);
}

TEST(TextFormat, HugeWidthIsCutAtTheCapacity) {
    wchar_t out[16];
    EXPECT_FALSE(text_format(out, 16, L"%*d", 1000000, 5));
    EXPECT_EQ(std::wstring(out), std::wstring(15, L' '));
    EXPECT_FALSE(text_format(out, 16, L"%2000000000d", 5));
    EXPECT_EQ(text_length(out), 15);
}

TEST(TextLength, CountsUpToTheTerminator) {
    EXPECT_EQ(text_length(nullptr), 0);
    EXPECT_EQ(text_length(L""), 0);
    EXPECT_EQ(text_length(L"可经外周静脉输注"), 8);
}

struct AppendCase {
    const char* name;
    const wchar_t* start;
    int32_t capacity;
    const wchar_t* piece;
    const wchar_t* expected;
    bool whole;
};

const AppendCase APPEND_CASES[] = {
    {"fits", L"ab", 8, L"cd", L"abcd", true},
    {"fits exactly", L"ab", 5, L"cd", L"abcd", true},
    {"cut", L"ab", 4, L"cd", L"abc", false},
    {"full text takes nothing", L"abc", 4, L"d", L"abc", false},
    {"full text takes an empty piece", L"abc", 4, L"", L"abc", true},
    {"null piece", L"ab", 8, nullptr, L"ab", true},
    {"capacity one", L"", 1, L"x", L"", false},
};

TEST(TextAppend, AppendsWhatFitsOnlyWhenThereIsRoom) {
    for (const AppendCase& ac : APPEND_CASES) {
        wchar_t text[16];
        for (wchar_t& ch : text) ch = SENTINEL;
        std::wstring start(ac.start);
        for (size_t i = 0; i <= start.size(); ++i) text[i] = ac.start[i];
        EXPECT_EQ(text_append(text, ac.capacity, ac.piece), ac.whole) << ac.name;
        EXPECT_EQ(std::wstring(text), std::wstring(ac.expected)) << ac.name;
        for (int32_t i = ac.capacity; i < 16; ++i) {
            if (i > static_cast<int32_t>(start.size())) {
                EXPECT_EQ(text[i], SENTINEL) << ac.name << " at " << i;
            }
        }
    }
}

TEST(TextAppend, UnterminatedTextIsTerminatedAndTakesNothing) {
    wchar_t text[4] = {L'a', L'b', L'c', L'd'};
    EXPECT_FALSE(text_append(text, 4, L"x"));
    EXPECT_EQ(std::wstring(text), L"abc");
}

TEST(TextCopy, CopiesCutAndTerminated) {
    wchar_t out[8];
    for (wchar_t& ch : out) ch = SENTINEL;
    EXPECT_TRUE(text_copy(out, 8, L"abc"));
    EXPECT_EQ(std::wstring(out), L"abc");
    EXPECT_FALSE(text_copy(out, 3, L"abcdef"));
    EXPECT_EQ(std::wstring(out), L"ab");
    EXPECT_TRUE(text_copy(out, 8, nullptr));
    EXPECT_EQ(std::wstring(out), L"");
    out[0] = SENTINEL;
    EXPECT_FALSE(text_copy(out, 0, L"a"));
    EXPECT_EQ(out[0], SENTINEL);
}

struct LineCase {
    const char* name;
    const wchar_t* start;
    int32_t capacity;
    const wchar_t* expected;
};

// append_line(text, capacity, L"%ls=%d", L"ab", 5): the line is "ab=5".
const LineCase LINE_CASES[] = {
    {"room for all", L"x", 16, L"xab=5\r\n"},
    {"exactly room for all", L"x", 8, L"xab=5\r\n"},
    {"one place left gets only CR", L"x", 7, L"xab=5\r"},
    {"line fills the text, no CR LF", L"x", 6, L"xab=5"},
    {"line cut", L"x", 4, L"xab"},
    {"full text takes nothing", L"xyz", 4, L"xyz"},
    {"capacity one", L"", 1, L""},
};

TEST(AppendLine, AppendsTheLineThenCrLfAsFarAsItFits) {
    for (const LineCase& lc : LINE_CASES) {
        wchar_t text[32];
        for (wchar_t& ch : text) ch = SENTINEL;
        std::wstring start(lc.start);
        for (size_t i = 0; i <= start.size(); ++i) text[i] = lc.start[i];
        append_line(text, lc.capacity, L"%ls=%d", L"ab", 5);
        EXPECT_EQ(std::wstring(text), std::wstring(lc.expected)) << lc.name;
        for (int32_t i = lc.capacity; i < 32; ++i) {
            if (i > static_cast<int32_t>(start.size())) {
                ASSERT_EQ(text[i], SENTINEL) << lc.name << " at " << i;
            }
        }
    }
}

TEST(AppendLine, LongLineIsCutTo511Characters) {
    static wchar_t text[2048];
    text[0] = L'\0';
    std::wstring long_piece(600, L'z');
    append_line(text, 2048, L"%ls", long_piece.c_str());
    EXPECT_EQ(std::wstring(text), std::wstring(511, L'z') + L"\r\n");
}

}  // namespace
