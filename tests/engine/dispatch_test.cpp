// generate_report: each kind reaches its own generator, every other kind
// gets the fixed notice, and both texts start empty.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/reports.h"
#include "tests/fixtures/report_tools.h"

namespace {

constexpr wchar_t GUARD = L'#';

struct KindRow {
    ReportKind kind;
    ReportGenerator generator;
    const ToolDefinition* tool;
};

// Each kind with the generator the report table names for it.
const KindRow KIND_ROWS[] = {
    {1, report_nurse_rota, &FIXTURE_REPORT_ROTA},
    {2, report_dosing_times, &FIXTURE_REPORT_DOSING},
    {3, report_draw_order, &FIXTURE_REPORT_DRAW_ORDER},
    {4, report_critical_values, &FIXTURE_REPORT_CRITICAL},
    {5, report_high_alert_drugs, &FIXTURE_REPORT_HIGH_ALERT},
    {6, report_drug_compatibility, &FIXTURE_REPORT_COMPATIBILITY},
    {7, report_follow_up, &FIXTURE_REPORT_FOLLOW_UP},
    {8, report_safety_checklist, &FIXTURE_REPORT_CHECKLIST},
    {9, report_handover, &FIXTURE_REPORT_HANDOVER},
    {10, report_infusion_card, &FIXTURE_REPORT_INFUSION},
    {11, report_lab_panels, &FIXTURE_REPORT_LAB_PANELS},
};

// Every kind against the same tool and values: a dispatch table out of
// order would give another generator's report for some kind.
TEST(Dispatch, EachKindRunsItsOwnGenerator) {
    for (const KindRow& row : KIND_ROWS) {
        double values[MAX_PARAMETERS] = {};
        fixture_default_values(*row.tool, values);
        const GeneratedReport direct = run_generator(row.generator, *row.tool, values);
        std::vector<wchar_t> report(8192, GUARD);
        std::vector<wchar_t> verdict(512, GUARD);
        const int32_t level =
            generate_report(row.kind, *row.tool, values, report.data(), 8192, verdict.data(), 512);
        EXPECT_FALSE(direct.report.empty()) << "kind " << row.kind;
        EXPECT_EQ(std::wstring(report.data()), direct.report) << "kind " << row.kind;
        EXPECT_EQ(std::wstring(verdict.data()), direct.verdict) << "kind " << row.kind;
        EXPECT_EQ(level, direct.level) << "kind " << row.kind;
    }
}

// Kinds that reach no generator, with texts that start full of guard
// characters.
TEST(Dispatch, OtherKindsGiveTheFixedNotice) {
    const ReportKind kinds[] = {0, 12, 13, -1, -11, 1000, INT32_MIN, INT32_MAX, INT32_MIN + 1, INT32_MAX - 1};
    for (ReportKind kind : kinds) {
        double values[MAX_PARAMETERS] = {};
        wchar_t report[64];
        wchar_t verdict[32];
        for (wchar_t& ch : report) ch = GUARD;
        for (wchar_t& ch : verdict) ch = GUARD;
        const int32_t level =
            generate_report(kind, FIXTURE_REPORT_NO_PARAMS, values, report, 64, verdict, 32);
        EXPECT_EQ(std::wstring(report), L"（该工具暂无自定义报告）") << "kind " << kind;
        EXPECT_EQ(std::wstring(verdict), L"暂无报告内容") << "kind " << kind;
        EXPECT_EQ(level, 0) << "kind " << kind;
    }
}

TEST(Dispatch, NoticeFitsTheSmallestCapacities) {
    double values[MAX_PARAMETERS] = {};
    wchar_t report[13 + 4];
    wchar_t verdict[7 + 4];
    for (wchar_t& ch : report) ch = GUARD;
    for (wchar_t& ch : verdict) ch = GUARD;
    generate_report(12, FIXTURE_REPORT_NO_PARAMS, values, report, 13, verdict, 7);
    EXPECT_EQ(std::wstring(report), L"（该工具暂无自定义报告）");
    EXPECT_EQ(std::wstring(verdict), L"暂无报告内容");
    for (int32_t i = 13; i < 17; ++i) EXPECT_EQ(report[i], GUARD) << "report at " << i;
    for (int32_t i = 7; i < 11; ++i) EXPECT_EQ(verdict[i], GUARD) << "verdict at " << i;
}

// Below the guaranteed capacities the notice is cut, never overrun.
TEST(Dispatch, NoticeIsCutBelowTheGuaranteedCapacities) {
    double values[MAX_PARAMETERS] = {};
    wchar_t report[8];
    wchar_t verdict[8];
    for (wchar_t& ch : report) ch = GUARD;
    for (wchar_t& ch : verdict) ch = GUARD;
    generate_report(-1, FIXTURE_REPORT_NO_PARAMS, values, report, 4, verdict, 3);
    EXPECT_EQ(std::wstring(report), L"（该工");
    EXPECT_EQ(std::wstring(verdict), L"暂无");
    EXPECT_EQ(report[4], GUARD);
    EXPECT_EQ(verdict[3], GUARD);
}

// The dispatch empties both texts before a generator appends to them.
TEST(Dispatch, GeneratorsStartFromEmptyTexts) {
    double values[MAX_PARAMETERS] = {};
    fixture_default_values(FIXTURE_REPORT_CHECKLIST, values);
    std::vector<wchar_t> report(8192, GUARD);
    std::vector<wchar_t> verdict(512, GUARD);
    report[0] = L'x';
    report[1] = L'\0';
    generate_report(8, FIXTURE_REPORT_CHECKLIST, values, report.data(), 8192, verdict.data(), 512);
    const GeneratedReport direct = run_generator(report_safety_checklist, FIXTURE_REPORT_CHECKLIST, values);
    EXPECT_EQ(std::wstring(report.data()), direct.report);
    EXPECT_NE(report[0], L'x');
}

}  // namespace
