// The formula language: operators, levels, functions, variables, whitespace
// and the values and outcomes of failing formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "formula/formula.h"

namespace {

// The catalogue's keys: parameters glu, aa, na and the output osm.
constexpr ParameterSpec OSMOLARITY_PARAMS[] = {
    {"glu", L"glucose", L"g/L", 100.0},
    {"aa", L"amino acids", L"g/L", 40.0},
    {"na", L"sodium", L"mmol/L", 40.0},
};
constexpr OutputSpec OSMOLARITY_OUTPUTS[] = {
    {"osm", L"osmolarity", L"mOsm/L", "glu*5+aa*8+na*2", "f0"},
};
constexpr ToolDefinition OSMOLARITY_TOOL = {
    260, L"osmolarity", nullptr, L"nutrition", L"reference", nullptr,
    3, OSMOLARITY_PARAMS, 1, OSMOLARITY_OUTPUTS, 0, nullptr, 0,
};
constexpr double OSMOLARITY_VALUES[] = {100.0, 40.0, 40.0};
constexpr double OSMOLARITY_OUTPUT_VALUES[] = {0.0};  // osm before it is evaluated

struct Outcome {
    double value;
    int32_t error;
};

Outcome evaluate(const ToolDefinition& tool, const char* formula, const double* params,
                 const double* outputs) {
    int32_t error = 7;  // the evaluator must always write it
    const double value = evaluate_formula(tool, formula, params, outputs, &error);
    return Outcome{value, error};
}

Outcome evaluate_osmolarity(const char* formula) {
    return evaluate(OSMOLARITY_TOOL, formula, OSMOLARITY_VALUES, OSMOLARITY_OUTPUT_VALUES);
}

uint64_t bits_of(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Values compare exactly; NaN matches NaN. Zeros compare by sign too.
bool same_value(double expected, double actual) {
    if (std::isnan(expected)) return std::isnan(actual);
    return bits_of(expected) == bits_of(actual);
}

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct FormulaCase {
    const char* label;
    const char* formula;
    double value;
    int32_t error;
};

void expect_cases(const ToolDefinition& tool, const double* params, const double* outputs,
                  const FormulaCase* cases, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const FormulaCase& c = cases[i];
        const Outcome got = evaluate(tool, c.formula, params, outputs);
        EXPECT_TRUE(same_value(c.value, got.value))
            << c.label << ": \"" << c.formula << "\" gave " << got.value << ", expected " << c.value;
        EXPECT_EQ(c.error, got.error) << c.label << ": \"" << c.formula << "\"";
    }
}

template <size_t N>
void expect_osmolarity_cases(const FormulaCase (&cases)[N]) {
    expect_cases(OSMOLARITY_TOOL, OSMOLARITY_VALUES, OSMOLARITY_OUTPUT_VALUES, cases, N);
}

TEST(FormulaTest, EdgeCasesAtCatalogueDefaults) {
    const FormulaCase cases[] = {
        {"catalogue formula", "glu*5+aa*8+na*2", 900, 0},
        {"catalogue condition at the bound", "glu*5+aa*8+na*2>900", 0, 0},
        {"power before product", "2*3^2", 18, 0},
        {"unary binds tighter than power", "-2^2", 4, 0},
        {"power groups right", "2^3^2", 512, 0},
        {"negative exponent", "2^-1", 0.5, 0},
        {"unary minus after operator", "2*-3", -6, 0},
        {"minus minus", "2--3", 5, 0},
        {"chained comparison left over", "1<2<3", 1, 1},
        {"parenthesised comparison", "(1<2)<3", 1, 0},
        {"second comparison left over", "2 < 3 == 1", 1, 1},
        {"remainder by zero", "5%0", 0, 1},
        {"remainder sign of left operand", "-7%3", -1, 0},
        {"fractional remainder", "5.5%2", 1.5, 0},
        {"division by zero ends the product", "1+8/0", 1, 1},
        {"sum goes on after zero divisor", "8/0+2", 2, 1},
        {"product left over after zero divisor", "8/0*2", 0, 1},
        {"double star", "2**3", 2, 1},
        {"branch not taken still divides", "0 ? 1/0 : 3", 3, 1},
        {"no short-circuit in or", "1 || 1/0", 1, 1},
        {"conditional groups right, first", "1?2:3?4:5", 2, 0},
        {"conditional groups right, last", "0?2:0?4:5", 5, 0},
        {"missing colon", "1 ? 2", 2, 1},
        {"not zero", "!0", 1, 0},
        {"double not", "!!5", 1, 0},
        {"plus then minus", "+-3", -3, 0},
        {"min and max", "min(1,2)+max(3,4)*2", 9, 0},
        {"min with one argument", "min(3)", 0, 1},
        {"sqrt with two arguments", "sqrt(4,5)", 0, 1},
        {"third argument", "min(1,2,3)", 1, 1},
        {"space before call parenthesis", "sqrt (4)", 2, 0},
        {"names are case-sensitive", "SQRT(4)", 0, 1},
        {"sqrt of negative", "sqrt(-1)", 0, 1},
        {"log of zero", "log(0)", 0, 1},
        {"round half down side", "round(-2.5)", -2, 0},
        {"sign of zero", "sign(0)", 0, 0},
        {"mod by zero", "mod(7,0)", 0, 1},
        {"hexadecimal", "0x1A", 26, 0},
        {"leading point", ".5", 0.5, 0},
        {"lone point", ".", 0, 1},
        {"literal beyond range", "1e999", INF, 1},
        {"infinity compared", "1e999>1", 1, 0},
        {"negative base fractional exponent", "pow(-8,1/3)", NaN, 1},
        {"equality", "glu == 100", 1, 0},
        {"single equals left over", "glu = 100", 100, 1},
        {"output before evaluation", "osm", 0, 0},
        {"undefined variable", "x", 0, 1},
        {"missing close parenthesis", "(1+2", 3, 1},
    };
    expect_osmolarity_cases(cases);
}

TEST(FormulaTest, FailingStepsGiveTheirValueAndTheParseGoesOn) {
    const FormulaCase cases[] = {
        {"absent operand at the end", "1+", 1, 1},
        {"close parenthesis as operand", "2*)", 0, 1},
        {"comma as operand", ",", 0, 1},
        {"colon as operand", ":1", 0, 1},
        {"byte above 127 as operand", "\xC3\xA9", 0, 1},
        {"byte above 127 after operator", "1+\x80", 1, 1},
        {"call without argument", "sqrt()", 0, 1},
        {"undefined variable takes name and space", "x  + 2", 2, 1},
        {"undefined names in a sum", "pi+e+3", 3, 1},
        {"unknown function takes whole call", "foo(1) + 2", 2, 1},
        {"unknown function still reads arguments", "foo(1/0) + 2", 2, 1},
        {"sqrt of negative takes whole call", "sqrt(-4)+2", 2, 1},
        {"log10 of negative takes whole call", "log10(-1)+2", 2, 1},
        {"log of negative", "log(-1)+2", 2, 1},
        {"mod by zero takes whole call", "mod(7,0)+1", 1, 1},
        {"mod by negative zero", "mod(7,-0)+1", 1, 1},
        {"division by negative zero", "4/-0+1", 1, 1},
        {"remainder by zero ends the product", "3*5%0+4", 4, 1},
        {"rest of the product left over", "3*5%0*2+4", 0, 1},
        {"zero divisor inside parentheses", "(8/0+2)*3", 6, 1},
        {"missing close after call argument", "sqrt(4", 2, 1},
        {"missing close after two arguments", "min(1,2", 1, 1},
        {"function applied after failed argument", "abs(-3+x)", 3, 1},
        {"neither comma nor close after argument", "sqrt(4 5)", 2, 1},
        {"missing colon, true condition", "1 ? 2 3", 2, 1},
        {"missing colon, else from current position", "0 ? 2 3", 3, 1},
        {"colon without question mark left over", "1 : 2", 1, 1},
        {"spaced less-equal is no operator", "1 < = 2", 0, 1},
        {"spaced and is no operator", "1 & & 1", 1, 1},
        {"spaced equals is no operator", "1 = = 1", 1, 1},
        {"single ampersand", "1 & 1", 1, 1},
        {"single bar", "1 | 0", 1, 1},
        {"bang without equals", "1 ! 2", 1, 1},
        {"no implicit multiplication", "2x", 2, 1},
        {"exponent letter without digits", "1e", 1, 1},
        {"hex prefix without digits", "0xg", 0, 1},
        {"name glued to number", "2glu", 2, 1},
        {"NaN final value", "0*1e999", NaN, 1},
        {"infinite final value", "2^2000", INF, 1},
        {"zero base negative exponent", "0^-1", INF, 1},
        {"infinite value turned to truth", "2^2000 > 0", 1, 0},
        {"NaN divisor is no zero divisor", "(1/(0*1e999)) != 1", 1, 0},
    };
    expect_osmolarity_cases(cases);
}

TEST(FormulaTest, OperatorsAndTruthValues) {
    const FormulaCase cases[] = {
        {"less-equal", "2<=2", 1, 0},
        {"greater-equal", "1>=2", 0, 0},
        {"not-equal", "1!=2", 1, 0},
        {"less", "2<1", 0, 0},
        {"greater", "3>2", 1, 0},
        {"comparison loosest after additive", "1+1==2", 1, 0},
        {"and of trues gives one", "2&&3", 1, 0},
        {"and with zero", "2&&0", 0, 0},
        {"or of zeros", "0||0", 0, 0},
        {"or gives one", "0||7", 1, 0},
        {"and binds tighter than or", "1||0&&0", 1, 0},
        {"negative zero is false", "-0 ? 1 : 2", 2, 0},
        {"false comparison is positive zero", "1>2", 0.0, 0},
        {"not of true is positive zero", "!5", 0.0, 0},
        {"negated false is negative zero", "-(1>2)", -0.0, 0},
        {"not binds tighter than power", "!0^2", 1, 0},
        {"many pluses", "+++2", 2, 0},
        {"plus with spaces", "+ + 2", 2, 0},
        {"left to right subtraction", "10-3-2", 5, 0},
        {"left to right division", "64/4/2", 8, 0},
        {"remainder then product", "7%4*2", 6, 0},
        {"power of product operand", "2*2^3", 16, 0},
        {"power of parenthesis", "(1+1)^(1+2)", 8, 0},
        {"conditional in condition needs parentheses", "(1?0:1)?5:6", 6, 0},
        {"conditional in then-branch", "1?0?3:4:5", 4, 0},
        {"comparison in condition", "glu>50?1:2", 1, 0},
        {"whole formula in parentheses with spaces", " ( glu * 5 ) ", 500, 0},
    };
    expect_osmolarity_cases(cases);
}

TEST(FormulaTest, Functions) {
    const FormulaCase cases[] = {
        {"sqrt", "sqrt(16)", 4, 0},
        {"sqrt of zero", "sqrt(0)", 0, 0},
        {"abs", "abs(-2.5)", 2.5, 0},
        {"log of one", "log(1)", 0, 0},
        {"log of e", "abs(log(exp(1)) - 1) < 1e-15", 1, 0},
        {"log10", "abs(log10(1000) - 3) < 1e-15", 1, 0},
        {"exp of zero", "exp(0)", 1, 0},
        {"floor of negative", "floor(-1.5)", -2, 0},
        {"ceil of negative", "ceil(-1.5)", -1, 0},
        {"round half up", "round(2.5)", 3, 0},
        {"round below half", "round(2.49)", 2, 0},
        {"round of negative half", "round(-0.5)", 0, 0},
        {"round of negative above half", "round(-1.6)", -2, 0},
        {"round adds one half first", "round(0.49999999999999994)", 1, 0},
        {"sign of positive", "sign(3)", 1, 0},
        {"sign of negative", "sign(-0.1)", -1, 0},
        {"min picks smaller", "min(5,-1)", -1, 0},
        {"max picks larger", "max(-5,-1)", -1, 0},
        {"pow", "pow(2,10)", 1024, 0},
        {"pow of negative base integer exponent", "pow(-2,3)", -8, 0},
        {"mod", "mod(7,3)", 1, 0},
        {"mod of negative", "mod(-7,3)", -1, 0},
        {"nested calls", "max(sqrt(9), min(2, abs(-8)))", 3, 0},
        {"spaces inside call", "min ( 1 , 2 )", 1, 0},
        {"expression arguments", "max(1?2:3, 1+1)", 2, 0},
    };
    expect_osmolarity_cases(cases);
}

TEST(FormulaTest, CubeRootGoesThroughPowWithOneThird) {
    struct CubeCase {
        const char* label;
        const char* formula;
        double x;
    };
    const CubeCase cases[] = {
        {"exact cube", "cbrt(27)", 27},
        {"cube whose root may miss in the last place", "cbrt(64)", 64},
        {"negative", "cbrt(-8)", -8},
        {"fraction", "cbrt(0.001)", 0.001},
        {"zero", "cbrt(0)", 0},
        {"negative zero", "cbrt(-0)", -0.0},
    };
    for (const CubeCase& c : cases) {
        const double magnitude = std::pow(std::fabs(c.x), 0.3333333333333333);
        const double expected = std::signbit(c.x) ? -magnitude : magnitude;
        const Outcome got = evaluate_osmolarity(c.formula);
        EXPECT_TRUE(same_value(expected, got.value)) << c.label << ": " << got.value;
        EXPECT_EQ(0, got.error) << c.label;
    }
    // The root is near, not necessarily equal to, the exact one.
    EXPECT_NEAR(4.0, evaluate_osmolarity("cbrt(64)").value, 1e-15);
    EXPECT_NEAR(-2.0, evaluate_osmolarity("cbrt(-8)").value, 1e-15);
}

TEST(FormulaTest, NumberForms) {
    const FormulaCase cases[] = {
        {"trailing point", "5.", 5, 0},
        {"exponent", "1e-3", 0.001, 0},
        {"upper exponent with sign", "2.5E+2", 250, 0},
        {"upper hex prefix", "0X1f", 31, 0},
        {"hex float", "0x1p4", 16, 0},
        {"hex float upper and negative power", "0X1P-1", 0.5, 0},
        {"hex fraction", "0x.8", 0.5, 0},
        {"leading zeros", "007", 7, 0},
        {"sign is a unary operator", "-.5", -0.5, 0},
        {"number ends at whitespace", "1 2", 1, 1},
        {"exponent ends at whitespace", "1e 3", 1, 1},
        {"underflow to zero", "1e-400", 0, 0},
        {"fraction of many digits", "0.1000000000000000000000000001", 0.1, 0},
    };
    expect_osmolarity_cases(cases);
}

TEST(FormulaTest, WhitespaceIsExactlyTabLineFeedCarriageReturnSpace) {
    const FormulaCase cases[] = {
        {"tab CR LF around operator", "1\t\r\n+\n2 ", 3, 0},
        {"leading whitespace", " \t\r\n7", 7, 0},
        {"whitespace between every token", "\tmin\n(\r1 ,\t2\n)\r", 1, 0},
        {"whitespace before unary operand", "- \t3", -3, 0},
        {"vertical tab is not whitespace", "1\v+2", 1, 1},
        {"form feed is not whitespace", "1\f+2", 1, 1},
        {"leading vertical tab", "\v1", 0, 1},
        {"trailing form feed", "1\f", 1, 1},
        {"no-break space byte", "1\xA0+2", 1, 1},
        {"spaces only", "   ", 0, 1},
        {"tab only", "\t", 0, 1},
    };
    expect_osmolarity_cases(cases);
}

TEST(FormulaTest, AbsentAndEmptyTextFail) {
    const Outcome absent = evaluate_osmolarity(nullptr);
    EXPECT_EQ(0.0, absent.value);
    EXPECT_EQ(1, absent.error);
    const Outcome empty = evaluate_osmolarity("");
    EXPECT_EQ(0.0, empty.value);
    EXPECT_EQ(1, empty.error);
}

TEST(FormulaTest, ErrorIndicatorIsWrittenOnSuccess) {
    int32_t error = 1;
    const double value = evaluate_formula(OSMOLARITY_TOOL, "glu", OSMOLARITY_VALUES,
                                          OSMOLARITY_OUTPUT_VALUES, &error);
    EXPECT_EQ(100.0, value);
    EXPECT_EQ(0, error);
}

TEST(FormulaTest, OutputsReadTheCallersEntries) {
    const double outputs[] = {900.0};
    const Outcome got = evaluate(OSMOLARITY_TOOL, "osm > 900 ? 2 : osm / 100", OSMOLARITY_VALUES,
                                 outputs);
    EXPECT_EQ(9.0, got.value);
    EXPECT_EQ(0, got.error);
    const double changed[] = {120.0, 0.5, 1.0};
    const Outcome params = evaluate(OSMOLARITY_TOOL, "glu*5+aa*8+na*2", changed, outputs);
    EXPECT_EQ(606.0, params.value);
    EXPECT_EQ(0, params.error);
}

// Keys that collide with each other, with function names and with the
// name length bound.
constexpr const char* KEY_63 = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789";
constexpr ParameterSpec NAMING_PARAMS[] = {
    {"dose", L"dose", nullptr, 0.0},
    {"log", L"log", nullptr, 0.0},
    {"min", L"min", nullptr, 0.0},
    {KEY_63, L"long", nullptr, 0.0},
    {"dose", L"second dose", nullptr, 0.0},
    {"Dose", L"other case", nullptr, 0.0},
    {"n", L"not a number", nullptr, 0.0},
};
constexpr OutputSpec NAMING_OUTPUTS[] = {
    {"dose", L"hidden output", nullptr, "1", nullptr},
    {"rate", L"rate", nullptr, "1", nullptr},
    {"rate", L"second rate", nullptr, "1", nullptr},
};
constexpr ToolDefinition NAMING_TOOL = {
    1, L"naming", nullptr, L"tests", L"", nullptr,
    7, NAMING_PARAMS, 3, NAMING_OUTPUTS, 0, nullptr, 0,
};
const double NAMING_VALUES[] = {2.0, 10.0, 3.0, 6.0, 99.0, 5.0, NaN};
constexpr double NAMING_OUTPUT_VALUES[] = {50.0, 7.0, 77.0};

template <size_t N>
void expect_naming_cases(const FormulaCase (&cases)[N]) {
    expect_cases(NAMING_TOOL, NAMING_VALUES, NAMING_OUTPUT_VALUES, cases, N);
}

TEST(FormulaTest, VariablesAndKeys) {
    static_assert(sizeof("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789") == 64);
    const FormulaCase cases[] = {
        {"parameter hides output", "dose", 2, 0},
        {"first parameter of a key wins", "dose*1", 2, 0},
        {"first output of a key wins", "rate", 7, 0},
        {"keys are case-sensitive", "Dose", 5, 0},
        {"function name as variable", "log + 1", 11, 0},
        {"function name as variable and call", "log(1) + log", 10, 0},
        {"two-argument function name as variable", "min*2 + min(1,2)", 7, 0},
        {"63-letter key", "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789", 6, 0},
        {"64-letter name fails although 63 are a key",
         "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789a", 6, 1},
        {"prefix of a key", "dos", 0, 1},
        {"key followed by more letters", "doses", 0, 1},
        {"underscore name", "_", 0, 1},
        {"no named constants", "pi", 0, 1},
    };
    expect_naming_cases(cases);
}

TEST(FormulaTest, NotANumberSemantics) {
    const FormulaCase cases[] = {
        {"min gives b when a is NaN", "min(n,1)", 1, 0},
        {"min gives b when b is NaN", "min(1,n)", NaN, 1},
        {"max gives b when a is NaN", "max(n,1)", 1, 0},
        {"max gives b when b is NaN", "max(1,n)", NaN, 1},
        {"NaN equals nothing", "n == n", 0, 0},
        {"NaN differs from itself", "n != n", 1, 0},
        {"NaN is not below", "n < 1", 0, 0},
        {"NaN is not above", "n > 1", 0, 0},
        {"NaN is not below-equal", "n <= 1", 0, 0},
        {"NaN is not above-equal", "1 >= n", 0, 0},
        {"NaN is true in a conditional", "n ? 1 : 2", 1, 0},
        {"not of NaN is zero", "!n", 0, 0},
        {"NaN is true in and", "n && 1", 1, 0},
        {"NaN is true in or", "n || 0", 1, 0},
        {"sign of NaN is zero", "sign(n)", 0, 0},
        {"sqrt lets NaN through", "sqrt(n) != 0", 1, 0},
        {"log lets NaN through", "log(n) != 0", 1, 0},
        {"log10 lets NaN through", "log10(n) != 0", 1, 0},
        {"NaN divisor is computed on", "(1/n) != 1", 1, 0},
        {"mod by NaN is computed on", "mod(1,n) != 1", 1, 0},
        {"NaN result fails", "n + 1", NaN, 1},
    };
    expect_naming_cases(cases);
}

TEST(FormulaTest, EvaluatorReadsOnlyKeysAndCounts) {
    // The value holders are read at the index of the matching key; counts
    // below the arrays' length hide the keys beyond them.
    constexpr ToolDefinition only_dose = {
        1, L"naming", nullptr, L"tests", L"", nullptr,
        1, NAMING_PARAMS, 0, NAMING_OUTPUTS, 0, nullptr, 0,
    };
    const Outcome dose = evaluate(only_dose, "dose", NAMING_VALUES, nullptr);
    EXPECT_EQ(2.0, dose.value);
    EXPECT_EQ(0, dose.error);
    const Outcome rate = evaluate(only_dose, "rate", NAMING_VALUES, nullptr);
    EXPECT_EQ(0.0, rate.value);
    EXPECT_EQ(1, rate.error);
    const Outcome log = evaluate(only_dose, "log", NAMING_VALUES, nullptr);
    EXPECT_EQ(0.0, log.value);
    EXPECT_EQ(1, log.error);
}

TEST(FormulaTest, CountsBesideNullTablesAreNotTrusted) {
    // A record whose counts say 3 and 1 but whose tables are missing names
    // no variable at all: every name fails, nothing is read.
    constexpr ToolDefinition no_tables = {
        1, L"no tables", nullptr, L"tests", L"", nullptr, 3, nullptr, 1, nullptr, 0, nullptr, 0,
    };
    for (const char* formula : {"glu", "osm", "2*x+1"}) {
        const Outcome o = evaluate(no_tables, formula, OSMOLARITY_VALUES, OSMOLARITY_OUTPUT_VALUES);
        EXPECT_EQ(1, o.error) << formula;
    }
    EXPECT_EQ(0, evaluate(no_tables, "2*3", nullptr, nullptr).error);
}

}  // namespace
