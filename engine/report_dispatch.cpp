// generate_report: the built-in report generators by kind.
#include "engine/reports.h"
#include "engine/text.h"

namespace {

const wchar_t NO_REPORT[] = L"（该工具暂无自定义报告）";
const wchar_t NO_REPORT_VERDICT[] = L"暂无报告内容";

struct GeneratorRow {
    ReportKind kind;
    ReportGenerator generator;
};

// ORDER KIND: row i serves kind i + 1.
constexpr GeneratorRow GENERATORS[] = {
    {1, report_nurse_rota},
    {2, report_dosing_times},
    {3, report_draw_order},
    {4, report_critical_values},
    {5, report_high_alert_drugs},
    {6, report_drug_compatibility},
    {7, report_follow_up},
    {8, report_safety_checklist},
    {9, report_handover},
    {10, report_infusion_card},
    {11, report_lab_panels},
};

constexpr int32_t GENERATOR_COUNT = static_cast<int32_t>(sizeof GENERATORS / sizeof GENERATORS[0]);
static_assert(GENERATOR_COUNT == 11, "one generator for each of the kinds 1 to 11");

constexpr bool rows_in_kind_order() {
    for (int32_t i = 0; i < GENERATOR_COUNT; ++i) {
        if (GENERATORS[i].kind != i + 1) return false;
    }
    return true;
}
static_assert(rows_in_kind_order(), "GENERATORS row i must serve kind i + 1");

}  // namespace

int32_t generate_report(ReportKind kind, const ToolDefinition& tool, const double* values,
                        wchar_t* report, int32_t report_capacity,
                        wchar_t* verdict, int32_t verdict_capacity) {
    if (report != nullptr && report_capacity >= 1) report[0] = L'\0';
    if (verdict != nullptr && verdict_capacity >= 1) verdict[0] = L'\0';
    // Compared before indexing: any kind outside 1 to 11, negative and
    // INT32_MIN included, takes the notice.
    if (kind >= 1 && kind <= GENERATOR_COUNT) {
        return GENERATORS[kind - 1].generator(tool, values, report, report_capacity, verdict, verdict_capacity);
    }
    // The callers' capacities are at least REPORT_CAPACITY_MIN and
    // VERDICT_CAPACITY_MIN, so both texts go in whole; a smaller buffer
    // gets them cut rather than overrun.
    text_copy(report, report_capacity, NO_REPORT);
    text_copy(verdict, verdict_capacity, NO_REPORT_VERDICT);
    return 0;
}
