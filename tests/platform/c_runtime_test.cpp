// The C routines that read and print numbers in the Windows build
// (std::strtod, std::snprintf) are mingw-w64's own C99 ones, never
// msvcrt.dll's printf family or strtod (which print three exponent digits
// and read no hexadecimal forms). They must agree with glibc to the bit:
// each expectation below is glibc's, and both builds run this table.
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct ReadCase {
    const char* text;
    const char* bits;       // the value read, printed with %a
    int consumed;           // characters that formed the number
    bool range_error;       // errno == ERANGE afterwards
};

TEST(CRuntime, StrtodReadsLikeTheNativeBuild) {
    const ReadCase cases[] = {
        {"900", "0x1.c2p+9", 3, false},
        {"0.1", "0x1.999999999999ap-4", 3, false},
        {"2.5", "0x1.4p+1", 3, false},
        {"1e23", "0x1.52d02c7e14af6p+76", 4, false},
        {"9007199254740993", "0x1p+53", 16, false},
        {"0.30000000000000004441", "0x1.3333333333334p-2", 22, false},
        {"2.2250738585072011e-308", "0x0.fffffffffffffp-1022", 23, true},
        {"4.9e-324", "0x0.0000000000001p-1022", 8, true},
        {"1e-400", "0x0p+0", 6, true},
        {"1e400", "inf", 5, true},
        {"0x1p-3", "0x1p-3", 6, false},
        {"0X1P+3", "0x1p+3", 6, false},
        {"0x.8", "0x1p-1", 4, false},
        {"0x", "0x0p+0", 1, false},
        {"inf", "inf", 3, false},
        {"-Infinity", "-inf", 9, false},
        {"infinit", "inf", 3, false},
        {"1.", "0x1p+0", 2, false},
        {"  +.5e", "0x1p-1", 5, false},
        {"1e", "0x1p+0", 1, false},
        {"-0", "-0x0p+0", 2, false},
        {"  12abc", "0x1.8p+3", 4, false},
        {"abc", "0x0p+0", 0, false},
    };
    for (const ReadCase& c : cases) {
        char* end = nullptr;
        errno = 0;
        const double value = std::strtod(c.text, &end);
        const bool range_error = errno == ERANGE;
        char bits[64];
        std::snprintf(bits, sizeof bits, "%a", value);
        EXPECT_STREQ(bits, c.bits) << c.text;
        EXPECT_EQ(end - c.text, c.consumed) << c.text;
        EXPECT_EQ(range_error, c.range_error) << c.text;
    }
    char* end = nullptr;
    EXPECT_TRUE(std::isnan(std::strtod("nan", &end)));
}

struct PrintCase {
    const char* format;
    double value;
    const char* text;
};

TEST(CRuntime, SnprintfPrintsLikeTheNativeBuild) {
    const PrintCase cases[] = {
        {"%.0f", 2.5, "2"},             // halves go to even, as the binary value is exact
        {"%.0f", 3.5, "4"},
        {"%.0f", 0.5, "0"},
        {"%.0f", 899.5, "900"},
        {"%.2f", 0.125, "0.12"},
        {"%.2f", 0.375, "0.38"},
        {"%.2f", 9.995, "9.99"},        // 9.995 is stored a little below
        {"%.3f", 1234.5678, "1234.568"},
        {"%.3f", 0.0005, "0.001"},      // stored a little above
        {"%.1f", 900.4999999999999, "900.5"},
        {"%.0f", 1e22, "10000000000000000000000"},
        {"%.0f", 1e23, "99999999999999991611392"},
        {"%.0f", -0.0, "-0"},
        {"%.3f", 123456789.125, "123456789.125"},
        {"%e", 1e300, "1.000000e+300"},
        {"%e", 0.0005, "5.000000e-04"},  // two exponent digits, not msvcrt's three
        {"%g", 0.0005, "0.0005"},
        {"%g", 1e22, "1e+22"},
        {"%.17g", 0.1, "0.10000000000000001"},
        {"%a", 1.0, "0x1p+0"},
        {"%a", 5e-324, "0x0.0000000000001p-1022"},
        {"%.0f", INFINITY, "inf"},
        {"%.1f", -INFINITY, "-inf"},
        {"%5.1f", 3.14159, "  3.1"},
        {"%-6.2f|", 2.5, "2.50  |"},
        {"%+.0f", 0.5, "+0"},
        {"% .1f", 1.25, " 1.2"},
        {"%08.3f", -3.14159, "-003.142"},
    };
    for (const PrintCase& c : cases) {
        char text[128];
        std::snprintf(text, sizeof text, c.format, c.value);
        EXPECT_STREQ(text, c.text) << c.format << " of " << c.value;
    }
}

TEST(CRuntime, SnprintfCutsAndTellsTheFullLength) {
    char text[4] = {'x', 'x', 'x', 'x'};
    // Read at run time, so the compiler does not warn about the cut that
    // this test makes on purpose.
    const char* volatile source = "abcdef";
    EXPECT_EQ(std::snprintf(text, sizeof text, "%s", source), 6);
    EXPECT_STREQ(text, "abc");
    char date[32];
    std::snprintf(date, sizeof date, "%04lld-%02lld-%02lld", 2024LL, 2LL, 29LL);
    EXPECT_STREQ(date, "2024-02-29");
}

}  // namespace
