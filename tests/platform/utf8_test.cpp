// The wide-to-UTF-8 coder of the seam: the bytes of each character class,
// the exact-fit rule with the terminator, and the replacement of values
// that are no Unicode scalar value.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

struct EncodeCase {
    const char* name;
    std::wstring text;
    std::string bytes;   // expected UTF-8, without the terminator
};

std::wstring wide(std::initializer_list<uint32_t> code_points) {
    std::wstring text;
    for (uint32_t c : code_points) text.push_back(static_cast<wchar_t>(c));
    return text;
}

TEST(PlatformToUtf8, EncodesEveryCharacterClass) {
    const EncodeCase cases[] = {
        {"empty text", L"", ""},
        {"ascii", L"OUT|900|mOsm/L", "OUT|900|mOsm/L"},
        {"line ends kept", L"a\r\nb", "a\r\nb"},
        {"one byte, highest", wide({0x7F}), "\x7F"},
        {"two bytes, lowest", wide({0x80}), "\xC2\x80"},
        {"two bytes, e acute", wide({0xE9}), "\xC3\xA9"},
        {"two bytes, highest", wide({0x7FF}), "\xDF\xBF"},
        {"three bytes, lowest", wide({0x800}), "\xE0\xA0\x80"},
        {"three bytes, CJK", L"营养支持", "\xE8\x90\xA5\xE5\x85\xBB\xE6\x94\xAF\xE6\x8C\x81"},
        {"three bytes, fullwidth colon", L"：", "\xEF\xBC\x9A"},
        {"three bytes, em dash", wide({0x2014}), "\xE2\x80\x94"},
        {"three bytes, before surrogates", wide({0xD7FF}), "\xED\x9F\xBF"},
        {"three bytes, after surrogates", wide({0xE000}), "\xEE\x80\x80"},
        {"three bytes, U+FFFD itself", wide({0xFFFD}), "\xEF\xBF\xBD"},
        {"three bytes, highest", wide({0xFFFF}), "\xEF\xBF\xBF"},
        {"high surrogate alone", wide({0xD800}), "\xEF\xBF\xBD"},
        {"low surrogate alone", wide({0xDFFF}), "\xEF\xBF\xBD"},
        {"surrogate between letters", wide({'a', 0xDC00, 'b'}), "a\xEF\xBF\xBD" "b"},
        {"mixed report line", L"估算渗透压：900 mOsm/L\r\n",
         "\xE4\xBC\xB0\xE7\xAE\x97\xE6\xB8\x97\xE9\x80\x8F\xE5\x8E\x8B\xEF\xBC\x9A" "900 mOsm/L\r\n"},
    };
    for (const EncodeCase& c : cases) {
        char out[64];
        std::memset(out, 'x', sizeof out);
        const int32_t n = platform_to_utf8(c.text.c_str(), out, sizeof out);
        ASSERT_EQ(n, static_cast<int32_t>(c.bytes.size() + 1)) << c.name;
        EXPECT_EQ(std::string(out, n - 1), c.bytes) << c.name;
        EXPECT_EQ(out[n - 1], '\0') << c.name << ": terminator written and counted";
    }
}

struct FitCase {
    const char* name;
    std::wstring text;
    int32_t needed;   // bytes with the terminator
};

// Characters beyond the Basic Multilingual Plane: one wchar_t where it is
// UTF-32 (POSIX), a surrogate pair where it is UTF-16 (Windows).
TEST(PlatformToUtf8, EncodesCharactersBeyondTheBasicPlane) {
    std::vector<EncodeCase> cases;
    if constexpr (sizeof(wchar_t) == 4) {
        cases = {
            {"four bytes, lowest", wide({0x10000}), "\xF0\x90\x80\x80"},
            {"four bytes, highest", wide({0x10FFFF}), "\xF4\x8F\xBF\xBF"},
            {"past U+10FFFF", wide({0x110000}), "\xEF\xBF\xBD"},
            {"negative wide value", wide({0xFFFFFFFFu}), "\xEF\xBF\xBD"},
        };
    } else {
        cases = {
            {"four bytes, lowest", wide({0xD800, 0xDC00}), "\xF0\x90\x80\x80"},
            {"four bytes, highest", wide({0xDBFF, 0xDFFF}), "\xF4\x8F\xBF\xBF"},
            {"pair in the wrong order", wide({0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD"},
        };
    }
    for (const EncodeCase& c : cases) {
        char out[16];
        const int32_t n = platform_to_utf8(c.text.c_str(), out, sizeof out);
        ASSERT_EQ(n, static_cast<int32_t>(c.bytes.size() + 1)) << c.name;
        EXPECT_EQ(std::string(out, n - 1), c.bytes) << c.name;
    }
}

TEST(PlatformToUtf8, FitsExactlyOrReturnsZero) {
    const FitCase cases[] = {
        {"empty text needs the terminator", L"", 1},
        {"one-byte characters", L"abc", 4},
        {"two-byte character last", wide({'a', 0xE9}), 4},
        {"three-byte characters", L"见 DETAIL", 11},
        {"four-byte character", sizeof(wchar_t) == 4 ? wide({0x1F600}) : wide({0xD83D, 0xDE00}), 5},
    };
    for (const FitCase& c : cases) {
        char out[32];
        EXPECT_EQ(platform_to_utf8(c.text.c_str(), out, c.needed), c.needed)
            << c.name << ": exact fit";
        EXPECT_EQ(out[c.needed - 1], '\0') << c.name;
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(platform_to_utf8(c.text.c_str(), out, c.needed - 1), 0)
            << c.name << ": one byte short";
#ifndef _WIN32
        // Our own coder also leaves an empty text behind; WideCharToMultiByte
        // may leave a partial one, which the 0 result marks as unusable.
        if (c.needed - 1 > 0) {
            EXPECT_EQ(out[0], '\0') << c.name << ": a failed conversion leaves an empty text";
        }
#endif
        for (int32_t i = c.needed - 1; i < static_cast<int32_t>(sizeof out); ++i) {
            ASSERT_EQ(out[i], 'x') << c.name << ": wrote past the capacity at " << i;
        }
    }
}

TEST(PlatformToUtf8, RefusesMissingArguments) {
    char out[8];
    EXPECT_EQ(platform_to_utf8(nullptr, out, sizeof out), 0);
    EXPECT_EQ(platform_to_utf8(L"a", nullptr, 8), 0);
    EXPECT_EQ(platform_to_utf8(L"a", out, 0), 0);
    EXPECT_EQ(platform_to_utf8(L"a", out, -5), 0);
}

TEST(PlatformToUtf8, ConvertsALongTextWhole) {
    std::wstring text;
    for (int i = 0; i < 16383; ++i) text.push_back(i % 2 == 0 ? L'营' : L'a');
    std::string out(16383 * 3 + 1, 'x');
    const int32_t n = platform_to_utf8(text.c_str(), out.data(), static_cast<int32_t>(out.size()));
    EXPECT_EQ(n, 8192 * 3 + 8191 + 1);
    EXPECT_EQ(std::string(out.data(), 6), "\xE8\x90\xA5" "a\xE8\x90");
}

}  // namespace
