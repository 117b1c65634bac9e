// Number literals in formulas give exactly the double that strtod gives for
// the same text in the classic locale, bit for bit, whichever way the
// evaluator reads them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "formula/formula.h"

namespace {

constexpr ToolDefinition NO_KEYS = {
    1, L"literals", nullptr, L"tests", L"", nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0,
};

uint64_t bits_of(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// A small deterministic generator (64-bit linear congruential, high bits).
struct Generator {
    uint64_t state;
    uint32_t next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state >> 33);
    }
    uint32_t below(uint32_t bound) { return next() % bound; }
    char digit() { return static_cast<char>('0' + below(10)); }
    std::string digits(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += digit();
        return text;
    }
};

// Places a decimal point in `digits` at every position (and none).
void add_with_points(std::vector<std::string>& out, const std::string& digits) {
    out.push_back(digits);
    for (size_t point = 0; point <= digits.size(); ++point) {
        out.push_back(digits.substr(0, point) + "." + digits.substr(point));
    }
}

std::vector<std::string> literals() {
    std::vector<std::string> out;
    // Small integers and their fractions.
    for (int i = 0; i <= 2000; ++i) out.push_back(std::to_string(i));
    for (int i = 0; i <= 999; ++i) {
        out.push_back(std::string("0.") + std::to_string(i));
        out.push_back(std::to_string(i) + ".5");
        out.push_back(std::string(".") + std::to_string(i));
        out.push_back(std::to_string(i) + ".");
    }
    // Fixed forms.
    const char* fixed[] = {
        ".5", "5.", "0", "0.", ".0", "00", "0.0", "000.000", "0.1", "0.2", "0.3", "0.7",
        "1.1", "2.675", "1.005", "123456789012345", "999999999999999", "0.000000000000000000001",
        "0.0000000000000000000001", "0.00000000000000000000001", "1.0000000000000000000000",
        "4503599627370496", "4503599627370495.5", "4503599627370497", "9007199254740991",
        "9007199254740992", "9007199254740993", "9007199254740994", "9007199254740995",
        "18014398509481985", "900719925474099.1", "900719925474099.2", "90071992547409.93",
        "0.9007199254740991", "0.9007199254740993", "9.007199254740993",
        "1797693134862315700000000000000000000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "000000000000000000000000000000000000000000000000000000000",
        "0.30000000000000004", "0.1000000000000000055511151231257827",
        "2.2250738585072014e-308", "4.9e-324", "1e22", "1e23", "1.7976931348623157e308",
        "0x1A", "0x1p-1074", "0x1.fffffffffffffp1023", "123e0", "1E+2", "5e-1",
    };
    for (const char* text : fixed) out.push_back(text);
    // Powers of two near 2^53 with points inserted.
    for (uint64_t m : {(uint64_t{1} << 53) - 2, (uint64_t{1} << 53) - 1, uint64_t{1} << 53,
                       (uint64_t{1} << 53) + 1, (uint64_t{1} << 52) + 1}) {
        add_with_points(out, std::to_string(m));
    }
    Generator gen{20261211};
    // Random digit strings of 1 to 17 digits, the point anywhere.
    for (int round = 0; round < 1500; ++round) {
        const int count = 1 + static_cast<int>(gen.below(17));
        add_with_points(out, gen.digits(count));
    }
    // 15 to 17 significant digits with leading and trailing zeros.
    for (int round = 0; round < 3000; ++round) {
        const int count = 15 + static_cast<int>(gen.below(3));
        std::string body = std::string(1, static_cast<char>('1' + gen.below(9))) + gen.digits(count - 1);
        const std::string leading(gen.below(4), '0');
        const std::string trailing(gen.below(8), '0');
        const size_t point = gen.below(static_cast<uint32_t>(body.size() + 1));
        out.push_back(leading + body.substr(0, point) + "." + body.substr(point) + trailing);
        out.push_back(std::string("0.") + std::string(gen.below(8), '0') + body);
    }
    // Fractions with up to 24 digits after the point (the fast path stops at 22).
    for (int round = 0; round < 2000; ++round) {
        const int count = 1 + static_cast<int>(gen.below(24));
        out.push_back(gen.digits(static_cast<int>(gen.below(3))) + "." + gen.digits(count));
    }
    return out;
}

TEST(FormulaNumberLiteralTest, EveryLiteralGivesStrtodsDouble) {
    const std::vector<std::string> texts = literals();
    ASSERT_GT(texts.size(), 20000u);
    for (const std::string& text : texts) {
        char* end = nullptr;
        const double expected = std::strtod(text.c_str(), &end);
        ASSERT_EQ('\0', *end) << "generator made a text strtod does not take whole: " << text;
        int32_t error = 7;
        const double got = evaluate_formula(NO_KEYS, text.c_str(), nullptr, nullptr, &error);
        EXPECT_EQ(bits_of(expected), bits_of(got))
            << text << ": formula " << got << ", strtod " << expected;
        EXPECT_EQ(std::isfinite(expected) ? 0 : 1, error) << text;
    }
}

TEST(FormulaNumberLiteralTest, LiteralEndsWhereStrtodStops) {
    // The number is followed by "+1"; the sum proves where the reading stopped.
    const char* texts[] = {"12.5", "9007199254740993", "0.1", ".5", "5.", "1e3", "0x10",
                           "123456789.123456789", "7.0000000000000000000000001"};
    for (const char* text : texts) {
        const double literal = std::strtod(text, nullptr);
        const std::string formula = std::string(text) + "+1";
        int32_t error = 7;
        const double got = evaluate_formula(NO_KEYS, formula.c_str(), nullptr, nullptr, &error);
        EXPECT_EQ(bits_of(literal + 1), bits_of(got)) << formula;
        EXPECT_EQ(0, error) << formula;
    }
}

}  // namespace
