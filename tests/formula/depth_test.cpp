// The nesting bound: FORMULA_MAX_DEPTH levels are read, one more is refused
// with the error flag, and texts nested a million deep fail without
// exhausting a 1 MiB stack.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <pthread.h>
#endif

#include "formula/formula.h"

namespace {

constexpr ToolDefinition NO_KEYS = {
    1, L"depth", nullptr, L"tests", L"", nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0,
};

struct Outcome {
    double value;
    int32_t error;
};

Outcome evaluate(const std::string& formula) {
    int32_t error = 7;
    const double value = evaluate_formula(NO_KEYS, formula.c_str(), nullptr, nullptr, &error);
    return Outcome{value, error};
}

// `head` followed by `piece` `count` times.
std::string after(const char* head, const char* piece, int count) {
    std::string text = head;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

std::string repeat(const char* piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

// One way of nesting: builds a formula nested `levels` deep and says what
// it computes when every level is read.
struct NestingKind {
    const char* label;
    std::string (*build)(int levels);
    double (*value)(int levels);
};

double one(int) { return 1.0; }
double minus_sign(int levels) { return levels % 2 == 0 ? 1.0 : -1.0; }
double not_parity(int levels) { return levels % 2 == 0 ? 1.0 : 0.0; }

const NestingKind KINDS[] = {
    {"parentheses", [](int n) { return repeat("(", n) + "1" + repeat(")", n); }, one},
    {"one-argument call", [](int n) { return repeat("abs(", n) + "1" + repeat(")", n); }, one},
    {"two-argument call", [](int n) { return repeat("min(2,", n) + "1" + repeat(")", n); }, one},
    {"first call argument", [](int n) { return repeat("max(", n) + "1" + repeat(",0)", n); }, one},
    {"unary minus", [](int n) { return repeat("-", n) + "1"; }, minus_sign},
    {"logical not", [](int n) { return repeat("!", n) + "1"; }, not_parity},
    {"power exponent", [](int n) { return after("1", "^1", n); }, one},
    {"then-branch", [](int n) { return repeat("1?", n) + "1" + repeat(":0", n); }, one},
    {"else-branch", [](int n) { return repeat("0?0:", n) + "1"; }, one},
    {"minus and parentheses",
     [](int n) {
         std::string open;
         int parens = 0;
         for (int i = 0; i < n; ++i) {
             if (i % 2 == 0) {
                 open += "-";
             } else {
                 open += "(";
                 ++parens;
             }
         }
         return open + "1" + repeat(")", parens);
     },
     [](int n) { return (n + 1) / 2 % 2 == 0 ? 1.0 : -1.0; }},
};

TEST(FormulaDepthTest, BoundIsTheHeadersConstant) {
    EXPECT_EQ(256, FORMULA_MAX_DEPTH);
}

TEST(FormulaDepthTest, EveryKindReadsUpToTheBoundAndRefusesOneMore) {
    for (const NestingKind& kind : KINDS) {
        for (int levels : {FORMULA_MAX_DEPTH - 1, FORMULA_MAX_DEPTH}) {
            const Outcome got = evaluate(kind.build(levels));
            EXPECT_EQ(kind.value(levels), got.value) << kind.label << " at " << levels;
            EXPECT_EQ(0, got.error) << kind.label << " at " << levels;
        }
        const Outcome over = evaluate(kind.build(FORMULA_MAX_DEPTH + 1));
        EXPECT_EQ(1, over.error) << kind.label << " at " << FORMULA_MAX_DEPTH + 1;
    }
}

TEST(FormulaDepthTest, RefusedLevelGivesZeroAndConsumesNothing) {
    const int over = FORMULA_MAX_DEPTH + 1;
    struct RefusedCase {
        const char* label;
        std::string formula;
        double value;
    };
    const RefusedCase cases[] = {
        // The innermost "(" is not read: every ")" then finds it missing.
        {"parentheses", repeat("(", over) + "1" + repeat(")", over), 0},
        // The refused "-" stays and the sum reads it as a subtraction: 0 - 1.
        {"unary minus", repeat("-", over) + "1", -1},
        {"call", repeat("abs(", over) + "5" + repeat(")", over), 0},
        // The refused power gives 0 and its "^" stays: 1^0 is 1, up to 2^1.
        {"power exponent", after("2", "^1", over), 2},
        // The refused conditional gives 0, so the last else-branch reads 0.
        {"else-branch", repeat("0?0:", over) + "1", 0},
        // Inside the bound the sum goes on: 3 + (refused, 0) - 1.
        {"sum beside the refused operand", repeat("(", FORMULA_MAX_DEPTH) + "3+-1" +
                                               repeat(")", FORMULA_MAX_DEPTH), 2},
    };
    for (const RefusedCase& c : cases) {
        const Outcome got = evaluate(c.formula);
        EXPECT_EQ(c.value, got.value) << c.label;
        EXPECT_EQ(1, got.error) << c.label;
    }
}

TEST(FormulaDepthTest, UnaryPlusCostsNoLevel) {
    const Outcome pluses = evaluate(repeat("+", 100000) + "4");
    EXPECT_EQ(4.0, pluses.value);
    EXPECT_EQ(0, pluses.error);
    const Outcome inside = evaluate(repeat("(", FORMULA_MAX_DEPTH) + repeat("+", 1000) + "4" +
                                    repeat(")", FORMULA_MAX_DEPTH));
    EXPECT_EQ(4.0, inside.value);
    EXPECT_EQ(0, inside.error);
}

// Texts a million levels deep; each must fail and none may crash.
constexpr int MILLION = 1000000;

struct DeepCase {
    const char* label;
    std::string formula;
    Outcome outcome;
};

struct DeepRun {
    DeepCase* cases;
    int count;
};

void evaluate_deep_cases(void* argument) {
    DeepRun* run = static_cast<DeepRun*>(argument);
    for (int i = 0; i < run->count; ++i) {
        run->cases[i].outcome = evaluate(run->cases[i].formula);
    }
}

// Runs `body` on a thread with a 1 MiB stack, the main-thread size of a
// Windows program; returns false where no thread could be started.
constexpr size_t SMALL_STACK_BYTES = size_t{1} << 20;

#if defined(_WIN32)
struct ThreadCall {
    void (*body)(void*);
    void* argument;
};

DWORD WINAPI thread_entry(LPVOID raw) {
    ThreadCall* call = static_cast<ThreadCall*>(raw);
    call->body(call->argument);
    return 0;
}

bool run_on_small_stack(void (*body)(void*), void* argument) {
    ThreadCall call{body, argument};
    HANDLE thread = CreateThread(nullptr, SMALL_STACK_BYTES, thread_entry, &call,
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (thread == nullptr) return false;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return true;
}
#else
struct ThreadCall {
    void (*body)(void*);
    void* argument;
};

void* thread_entry(void* raw) {
    ThreadCall* call = static_cast<ThreadCall*>(raw);
    call->body(call->argument);
    return nullptr;
}

bool run_on_small_stack(void (*body)(void*), void* argument) {
    ThreadCall call{body, argument};
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) return false;
    pthread_attr_setstacksize(&attributes, SMALL_STACK_BYTES);
    pthread_t thread;
    const bool started = pthread_create(&thread, &attributes, thread_entry, &call) == 0;
    pthread_attr_destroy(&attributes);
    if (!started) return false;
    pthread_join(thread, nullptr);
    return true;
}
#endif

std::vector<DeepCase> deep_cases() {
    return {
        {"million parentheses", repeat("(", MILLION) + "1" + repeat(")", MILLION), {7, 7}},
        {"million minus signs", repeat("-", MILLION) + "1", {7, 7}},
        {"million unclosed parentheses", repeat("(", MILLION), {7, 7}},
        {"million nots", repeat("!", MILLION) + "1", {7, 7}},
        {"million calls", repeat("abs(", MILLION) + "1" + repeat(")", MILLION), {7, 7}},
        {"million exponents", after("1", "^1", MILLION), {7, 7}},
        {"million then-branches", repeat("1?", MILLION) + "1" + repeat(":0", MILLION), {7, 7}},
        {"million else-branches", repeat("0?0:", MILLION) + "1", {7, 7}},
        {"million minus-parentheses", repeat("-(", MILLION) + "1" + repeat(")", MILLION), {7, 7}},
    };
}

void expect_deep_failures(const std::vector<DeepCase>& cases, const char* where) {
    for (const DeepCase& c : cases) {
        EXPECT_EQ(1, c.outcome.error) << c.label << " " << where;
    }
    // The parentheses give the refused level's 0. The minus signs are read
    // on in rounds of 257: one subtraction, 256 signs and a refused operand
    // of 0, until the last 14 signs and "1" give 0 - (-1).
    EXPECT_EQ(0.0, cases[0].outcome.value) << cases[0].label << " " << where;
    EXPECT_EQ(1.0, cases[1].outcome.value) << cases[1].label << " " << where;
}

TEST(FormulaDepthTest, MillionLevelsFailOnTheMainThread) {
    std::vector<DeepCase> cases = deep_cases();
    DeepRun run{cases.data(), static_cast<int>(cases.size())};
    evaluate_deep_cases(&run);
    expect_deep_failures(cases, "on the main thread");
}

TEST(FormulaDepthTest, MillionLevelsFailOnAOneMebibyteStack) {
    std::vector<DeepCase> cases = deep_cases();
    DeepRun run{cases.data(), static_cast<int>(cases.size())};
    ASSERT_TRUE(run_on_small_stack(evaluate_deep_cases, &run));
    expect_deep_failures(cases, "on a 1 MiB stack");
}

}  // namespace
