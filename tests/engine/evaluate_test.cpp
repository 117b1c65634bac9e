// evaluate_tool over the fixture tools: report lines byte for byte, the
// notice line, rule matching, the default verdict, report kinds and the
// cutting of every text at its capacity.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "tests/fixtures/formula_tools.h"

namespace {

constexpr wchar_t GUARD = L'#';
constexpr int32_t GUARD_LENGTH = 8;

const wchar_t DEFAULT_VERDICT[] = L"请核对输入参数后重新计算";

// One evaluation into buffers that start full of guard characters, so that
// a text left unemptied or a write past a capacity shows.
struct Evaluation {
    std::wstring report;
    std::wstring verdict;
    std::wstring detail;
    int32_t returned;
    int32_t level;
    bool guard_intact;
};

bool guard_holds(const std::vector<wchar_t>& text, int32_t capacity) {
    for (size_t i = static_cast<size_t>(capacity); i < text.size(); ++i) {
        if (text[i] != GUARD) return false;
    }
    return true;
}

std::wstring text_within(const std::vector<wchar_t>& text, int32_t capacity) {
    std::wstring out;
    for (int32_t i = 0; i < capacity && text[static_cast<size_t>(i)] != L'\0'; ++i) {
        out += text[static_cast<size_t>(i)];
    }
    return out;
}

bool terminated_within(const std::vector<wchar_t>& text, int32_t capacity) {
    for (int32_t i = 0; i < capacity; ++i) {
        if (text[static_cast<size_t>(i)] == L'\0') return true;
    }
    return false;
}

Evaluation evaluate(const ToolDefinition& tool, double x, int32_t report_capacity = 4096,
                    int32_t verdict_capacity = 512, int32_t detail_capacity = 8192) {
    double values[MAX_PARAMETERS] = {x};
    std::vector<wchar_t> report(static_cast<size_t>(report_capacity + GUARD_LENGTH), GUARD);
    std::vector<wchar_t> verdict(static_cast<size_t>(verdict_capacity + GUARD_LENGTH), GUARD);
    std::vector<wchar_t> detail(static_cast<size_t>(detail_capacity + GUARD_LENGTH), GUARD);
    Evaluation e{};
    e.level = -99;
    e.returned = evaluate_tool(tool, values, report.data(), report_capacity, verdict.data(), verdict_capacity,
                               &e.level, detail.data(), detail_capacity);
    e.report = text_within(report, report_capacity);
    e.verdict = text_within(verdict, verdict_capacity);
    e.detail = text_within(detail, detail_capacity);
    e.guard_intact = guard_holds(report, report_capacity) && guard_holds(verdict, verdict_capacity) &&
                     guard_holds(detail, detail_capacity) && terminated_within(report, report_capacity) &&
                     terminated_within(verdict, verdict_capacity) && terminated_within(detail, detail_capacity);
    return e;
}

struct EvaluateCase {
    const char* name;
    const ToolDefinition* tool;
    double x;
    const wchar_t* report;
    const wchar_t* verdict;
    int32_t level;
};

const EvaluateCase EVALUATE_CASES[] = {
    {"infinite and NaN show dashes, a failed finite value is shown, one notice, rules still run",
     &FIXTURE_FORMULA_NON_FINITE, 2,
     L"极大：-- mg\r\n"
     L"非数：--\r\n"
     L"部分：1.0\r\n"
     L"正常：6 mL\r\n"
     L"（部分结果无法计算，请检查输入是否合理）\r\n",
     L"偏高", 2},
    {"rule on a non-finite tool that does not match gives the default",
     &FIXTURE_FORMULA_NON_FINITE, 1,
     L"极大：-- mg\r\n"
     L"非数：--\r\n"
     L"部分：1.0\r\n"
     L"正常：3 mL\r\n"
     L"（部分结果无法计算，请检查输入是否合理）\r\n",
     DEFAULT_VERDICT, 0},
    {"failing rules are skipped, even one whose value is 1; nothing matches",
     &FIXTURE_FORMULA_FAILING_RULE, 2, L"结果：2\r\n", DEFAULT_VERDICT, 0},
    {"matching rule with an empty verdict keeps its level and gets the default text",
     &FIXTURE_FORMULA_EMPTY_VERDICT, 2, L"结果：2\r\n", DEFAULT_VERDICT, 2},
    {"when the empty-verdict rule does not match the empty condition does",
     &FIXTURE_FORMULA_EMPTY_VERDICT, 1, L"结果：1\r\n", L"后备", 1},
    {"no rules", &FIXTURE_FORMULA_NO_RULES, 2, L"两倍：4.0 g\r\n", DEFAULT_VERDICT, 0},
    {"no rules at a large value", &FIXTURE_FORMULA_NO_RULES, 1e6, L"两倍：2000000.0 g\r\n", DEFAULT_VERDICT, 0},
    {"absent and empty units give no space",
     &FIXTURE_FORMULA_UNITS, 2,
     L"无单位：2\r\n"
     L"空单位：3\r\n"
     L"有单位：4 mL\r\n",
     DEFAULT_VERDICT, 0},
    {"a later output and the output itself read 0 without failing",
     &FIXTURE_FORMULA_LATER_OUTPUT, 2,
     L"甲：1\r\n"
     L"乙：10\r\n"
     L"丙：5\r\n",
     L"顺序正确", 1},
    {"one failing output is followed by the notice",
     &FIXTURE_FORMULA_ONE_FAILURE, 2,
     L"失败：0.00 mg\r\n"
     L"（部分结果无法计算，请检查输入是否合理）\r\n",
     L"好", 0},
    {"report kind 12 gives the notice", &FIXTURE_FORMULA_KIND_12, 2, L"（该工具暂无自定义报告）", L"暂无报告内容", 0},
    {"report kind -1 gives the notice", &FIXTURE_FORMULA_KIND_NEGATIVE, 2, L"（该工具暂无自定义报告）",
     L"暂无报告内容", 0},
};

TEST(EvaluateTool, ReportVerdictAndLevel) {
    for (const EvaluateCase& ec : EVALUATE_CASES) {
        const Evaluation e = evaluate(*ec.tool, ec.x);
        EXPECT_EQ(e.report, std::wstring(ec.report)) << ec.name;
        EXPECT_EQ(e.verdict, std::wstring(ec.verdict)) << ec.name;
        EXPECT_EQ(e.level, ec.level) << ec.name;
        EXPECT_EQ(e.returned, ec.level) << ec.name;
        EXPECT_EQ(e.detail, e.report) << ec.name;
        EXPECT_TRUE(e.guard_intact) << ec.name;
    }
}

TEST(EvaluateTool, ReportKindGoesToItsGeneratorAndCopiesTheDetail) {
    double values[MAX_PARAMETERS] = {2};
    wchar_t report[8192];
    wchar_t verdict[512];
    const int32_t level = generate_report(3, FIXTURE_FORMULA_KIND_3, values, report, 8192, verdict, 512);
    const Evaluation e = evaluate(FIXTURE_FORMULA_KIND_3, 2, 8192, 512, 8192);
    EXPECT_FALSE(e.report.empty());
    EXPECT_EQ(e.report, std::wstring(report));
    EXPECT_EQ(e.verdict, std::wstring(verdict));
    EXPECT_NE(e.verdict, std::wstring(DEFAULT_VERDICT));
    EXPECT_EQ(e.level, level);
    EXPECT_EQ(e.detail, e.report);
    EXPECT_TRUE(e.guard_intact);
}

// The capacities below cut "无单位：2\r\n空单位：3\r\n有单位：4 mL\r\n"
// (7 + 7 + 10 = 24 characters).
struct CutCase {
    const char* name;
    int32_t capacity;
    const wchar_t* report;
};

const CutCase CUT_CASES[] = {
    {"room for all", 25, L"无单位：2\r\n空单位：3\r\n有单位：4 mL\r\n"},
    {"last LF lost", 24, L"无单位：2\r\n空单位：3\r\n有单位：4 mL\r"},
    {"last CR LF lost", 23, L"无单位：2\r\n空单位：3\r\n有单位：4 mL"},
    {"part of the last line", 20, L"无单位：2\r\n空单位：3\r\n有单位：4"},
    {"only the first character of the last line", 16, L"无单位：2\r\n空单位：3\r\n有"},
    {"two whole lines, the third dropped", 15, L"无单位：2\r\n空单位：3\r\n"},
    {"second line without LF", 14, L"无单位：2\r\n空单位：3\r"},
    {"first character only", 2, L"无"},
    {"capacity one is empty", 1, L""},
};

TEST(EvaluateTool, ReportIsCutAtItsCapacity) {
    for (const CutCase& cc : CUT_CASES) {
        const Evaluation e = evaluate(FIXTURE_FORMULA_UNITS, 2, cc.capacity);
        EXPECT_EQ(e.report, std::wstring(cc.report)) << cc.name;
        EXPECT_EQ(e.detail, e.report) << cc.name;
        EXPECT_EQ(e.verdict, std::wstring(DEFAULT_VERDICT)) << cc.name;
        EXPECT_TRUE(e.guard_intact) << cc.name;
    }
}

TEST(EvaluateTool, NoticeIsCutOrDroppedLikeAnyLine) {
    const Evaluation whole_lines = evaluate(FIXTURE_FORMULA_ONE_FAILURE, 2, 13);
    EXPECT_EQ(whole_lines.report, L"失败：0.00 mg\r\n");
    const Evaluation part = evaluate(FIXTURE_FORMULA_ONE_FAILURE, 2, 17);
    EXPECT_EQ(part.report, L"失败：0.00 mg\r\n（部分结")
        << "the notice is appended as far as it fits";
    EXPECT_EQ(part.verdict, L"好");
    EXPECT_TRUE(whole_lines.guard_intact);
    EXPECT_TRUE(part.guard_intact);
}

// Every capacity from 1 to one past the whole text of sixteen lines: the
// report is the whole text's first capacity - 1 characters, and the
// verdict and level do not depend on the room.
TEST(EvaluateTool, ManyOutputsCutAtEveryCapacity) {
    std::wstring full;
    for (int32_t i = 1; i <= MAX_OUTPUTS; ++i) {
        full += L"值" + std::to_wstring(i) + L"：" + std::to_wstring(i) + L" g\r\n";
    }
    const int32_t length = static_cast<int32_t>(full.size());
    ASSERT_EQ(full.substr(0, 16), L"值1：1 g\r\n值2：2 g\r\n");
    for (int32_t capacity = 1; capacity <= length + 2; ++capacity) {
        const Evaluation e = evaluate(FIXTURE_FORMULA_MANY_OUTPUTS, 0, capacity);
        const int32_t kept = capacity - 1 < length ? capacity - 1 : length;
        ASSERT_EQ(e.report, full.substr(0, static_cast<size_t>(kept))) << "capacity " << capacity;
        ASSERT_EQ(e.verdict, L"满") << "capacity " << capacity;
        ASSERT_EQ(e.level, 1) << "capacity " << capacity;
        ASSERT_TRUE(e.guard_intact) << "capacity " << capacity;
    }
}

TEST(EvaluateTool, DetailIsCutToItsOwnCapacity) {
    const Evaluation e = evaluate(FIXTURE_FORMULA_UNITS, 2, 4096, 512, 9);
    EXPECT_EQ(e.report, L"无单位：2\r\n空单位：3\r\n有单位：4 mL\r\n");
    EXPECT_EQ(e.detail, L"无单位：2\r\n空");
    EXPECT_TRUE(e.guard_intact);
    const Evaluation report_tool = evaluate(FIXTURE_FORMULA_KIND_12, 2, 4096, 512, 4);
    EXPECT_EQ(report_tool.detail, L"（该工");
    EXPECT_TRUE(report_tool.guard_intact);
}

// Verdicts are bounded like every text: a verdict capacity below the size
// the callers guarantee cuts the verdict instead of writing past it.
TEST(EvaluateTool, VerdictIsCutToItsCapacity) {
    const Evaluation rule_verdict = evaluate(FIXTURE_FORMULA_LATER_OUTPUT, 2, 4096, 3);
    EXPECT_EQ(rule_verdict.verdict, L"顺序");
    EXPECT_EQ(rule_verdict.level, 1);
    EXPECT_TRUE(rule_verdict.guard_intact);
    const Evaluation default_verdict = evaluate(FIXTURE_FORMULA_NO_RULES, 2, 4096, 5);
    EXPECT_EQ(default_verdict.verdict, L"请核对输");
    EXPECT_TRUE(default_verdict.guard_intact);
    const Evaluation notice = evaluate(FIXTURE_FORMULA_KIND_12, 2, 6, 4);
    EXPECT_EQ(notice.report, L"（该工具暂");
    EXPECT_EQ(notice.verdict, L"暂无报");
    EXPECT_TRUE(notice.guard_intact);
}

// The texts start full of other characters; each evaluation starts them
// afresh, and a second evaluation does not see the first.
TEST(EvaluateTool, EachCallStartsFromEmptyTexts) {
    const Evaluation first = evaluate(FIXTURE_FORMULA_NON_FINITE, 2);
    const Evaluation second = evaluate(FIXTURE_FORMULA_NON_FINITE, 2);
    EXPECT_EQ(first.report, second.report);
    EXPECT_EQ(first.report.find(GUARD), std::wstring::npos);
    EXPECT_EQ(first.level, second.level);
}

}  // namespace
