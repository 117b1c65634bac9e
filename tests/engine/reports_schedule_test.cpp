// The schedule reports: nurse rota (kind 1), dosing times (kind 2) and the
// follow-up plan (kind 7), byte for byte, at their bounds, cut at small
// capacities and fed values that are not numbers or out of range.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/reports.h"
#include "platform/platform.h"
#include "tests/fixtures/report_tools.h"

namespace {

using Values = std::array<double, MAX_PARAMETERS>;

constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
constexpr double INFINITE = std::numeric_limits<double>::infinity();

// 2024-02-27, the fixed "today" of the follow-up tests (2024-02-29 is 19782).
constexpr day_number TEST_TODAY = 19780;

int32_t follow_up_on_test_day(const ToolDefinition& tool, const double* values, wchar_t* report,
                              int32_t report_capacity, wchar_t* verdict, int32_t verdict_capacity) {
    return write_follow_up(tool, values, TEST_TODAY, report, report_capacity, verdict,
                           verdict_capacity);
}

Values values_of(std::initializer_list<double> list) {
    Values v{};
    size_t i = 0;
    for (double x : list) v[i++] = x;
    return v;
}

// The lines of a report, each without its CR LF; a last piece without CR LF
// is kept as a line of its own.
std::vector<std::wstring> lines_of(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

size_t count_of(const std::wstring& text, const std::wstring& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::wstring::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

const wchar_t* const ROTA_VERDICT = L"已生成轮转排班表，可复制到排班本或表格";
const wchar_t* const DOSE_VERDICT = L"给药时间表已生成，注意首剂与夜间给药时间";
const wchar_t* const VISIT_VERDICT = L"随访计划已生成，可按日期短信提醒患者";

const wchar_t* const ROTA_RULE_LINE = L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。\r\n";
const wchar_t* const ROTA_TIP_LINE = L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。\r\n";
const wchar_t* const DOSE_NOTE_LINE = L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n";
const wchar_t* const VISIT_CONTENT_LINE = L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。\r\n";

// Every edge value the generators must survive.
const double EDGE_VALUES[] = {
    NOT_A_NUMBER, -NOT_A_NUMBER, INFINITE, -INFINITE, 1e308, -1e308, 1.7976931348623157e308,
    -0.0, 4.9e-324, 2147483647.0, 2147483648.0, -2147483648.0, -2147483649.0, 1e10, -1e10,
    5.15e10, 51539607528.0,
};
const int32_t EDGE_CAPACITIES[] = {1, 2, 13, 64, 511, 4096, 8192};

// ---- Kind 1: nurse rota ----------------------------------------------------

TEST(ReportNurseRota, NoKeysGivesOneNurseForOneDay) {
    const Values v{};
    const GeneratedReport r = run_generator(report_nurse_rota, FIXTURE_REPORT_NO_PARAMS, v.data());
    EXPECT_EQ(r.report,
              L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。\r\n"
              L"人员：1 人；周期：1 天\r\n"
              L"\r\n"
              L"护士01：\r\n"
              L"  1日D \r\n"
              L"\r\n"
              L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。\r\n");
    EXPECT_EQ(r.verdict, ROTA_VERDICT);
    EXPECT_EQ(r.level, 0);
    EXPECT_TRUE(r.guard_intact);
}

TEST(ReportNurseRota, ThreeNursesForThreeDays) {
    const Values v = values_of({3, 3});
    const GeneratedReport r = run_generator(report_nurse_rota, FIXTURE_REPORT_ROTA, v.data());
    EXPECT_EQ(r.report,
              L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。\r\n"
              L"人员：3 人；周期：3 天\r\n"
              L"\r\n"
              L"护士01：\r\n"
              L"  1日D 2日R 3日N \r\n"
              L"护士02：\r\n"
              L"  1日N 2日D 3日R \r\n"
              L"护士03：\r\n"
              L"  1日R 2日N 3日D \r\n"
              L"\r\n"
              L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。\r\n");
    EXPECT_EQ(r.verdict, ROTA_VERDICT);
    EXPECT_EQ(r.level, 0);
}

struct RotaBoundsCase {
    const char* name;
    double nurses;
    double days;
    int32_t expected_nurses;
    int32_t expected_days;
};

TEST(ReportNurseRota, BoundsClampNursesAndDays) {
    const RotaBoundsCase cases[] = {
        {"fraction cut toward zero", 2.9, 3, 2, 3},
        {"zero nurses", 0, 3, 1, 3},
        {"negative nurses", -5, 3, 1, 3},
        {"41 nurses", 41, 3, 40, 3},
        {"1e10 nurses is out of range", 1e10, 3, 1, 3},
        {"NaN nurses", NOT_A_NUMBER, 3, 1, 3},
        {"INT32_MAX nurses", 2147483647.0, 3, 40, 3},
        {"32 days", 2, 32, 2, 31},
        {"zero days", 2, 0, 2, 1},
        {"-0.5 days", 2, -0.5, 2, 1},
        {"31.9 days", 2, 31.9, 2, 31},
        {"infinite days", 2, INFINITE, 2, 1},
    };
    for (const RotaBoundsCase& c : cases) {
        const Values v = values_of({c.nurses, c.days});
        const GeneratedReport r = run_generator(report_nurse_rota, FIXTURE_REPORT_ROTA, v.data());
        const std::vector<std::wstring> lines = lines_of(r.report);
        ASSERT_EQ(lines.size(), static_cast<size_t>(5 + 2 * c.expected_nurses)) << c.name;
        EXPECT_EQ(lines[1], L"人员：" + std::to_wstring(c.expected_nurses) + L" 人；周期：" +
                                std::to_wstring(c.expected_days) + L" 天")
            << c.name;
        const std::wstring last_name = std::wstring(L"护士") + (c.expected_nurses < 10 ? L"0" : L"") +
                                       std::to_wstring(c.expected_nurses) + L"：";
        EXPECT_EQ(lines[3 + 2 * (c.expected_nurses - 1)], last_name) << c.name;
        const std::wstring last_day_line = lines[4 + 2 * (c.expected_nurses - 1)];
        EXPECT_EQ(count_of(last_day_line, L"日"), static_cast<size_t>(c.expected_days)) << c.name;
        EXPECT_NE(last_day_line.find(L" " + std::to_wstring(c.expected_days) + L"日"), std::wstring::npos)
            << c.name;
        EXPECT_EQ(r.verdict, ROTA_VERDICT) << c.name;
        EXPECT_EQ(r.level, 0) << c.name;
    }
}

TEST(ReportNurseRota, LargestRotaFollowsTheShiftPattern) {
    Values v{};
    fixture_default_values(FIXTURE_REPORT_ROTA_LARGEST, v.data());
    const GeneratedReport r = run_generator(report_nurse_rota, FIXTURE_REPORT_ROTA_LARGEST, v.data());
    EXPECT_EQ(r.report.size(), 6390u);
    const std::vector<std::wstring> lines = lines_of(r.report);
    ASSERT_EQ(lines.size(), 5u + 2u * 40u);
    EXPECT_EQ(lines[1], L"人员：40 人；周期：31 天");
    const wchar_t letters[] = {L'D', L'N', L'R'};
    for (int i = 1; i <= 40; ++i) {
        const std::wstring name = std::wstring(L"护士") + (i < 10 ? L"0" : L"") + std::to_wstring(i) + L"：";
        EXPECT_EQ(lines[static_cast<size_t>(1 + 2 * i)], name) << "nurse " << i;
        std::wstring expected = L"  ";
        for (int j = 1; j <= 31; ++j) {
            expected += std::to_wstring(j) + L"日" + letters[((i - 1) + 2 * (j - 1)) % 3] + L" ";
        }
        EXPECT_EQ(lines[static_cast<size_t>(2 + 2 * i)], expected) << "nurse " << i;
    }
    EXPECT_EQ(lines.back(), L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。");
}

TEST(ReportNurseRota, LargestRotaCutAtWindowCapacity) {
    Values v{};
    fixture_default_values(FIXTURE_REPORT_ROTA_LARGEST, v.data());
    const GeneratedReport full = run_generator(report_nurse_rota, FIXTURE_REPORT_ROTA_LARGEST, v.data());
    const GeneratedReport cut =
        run_generator(report_nurse_rota, FIXTURE_REPORT_ROTA_LARGEST, v.data(), 4096);
    EXPECT_EQ(cut.report.size(), 4095u);
    EXPECT_EQ(cut.report, full.report.substr(0, 4095));
    EXPECT_TRUE(cut.report_terminated);
    EXPECT_TRUE(cut.guard_intact);
    EXPECT_EQ(cut.verdict, ROTA_VERDICT);
    EXPECT_EQ(cut.level, 0);
}

TEST(ReportNurseRota, CutInsideALineLosesItsLineEnd) {
    const Values v{};
    const int32_t rule_length = static_cast<int32_t>(std::wstring(ROTA_RULE_LINE).size());
    // Room for the rule line and its CR LF, then four characters of the next.
    const GeneratedReport r =
        run_generator(report_nurse_rota, FIXTURE_REPORT_NO_PARAMS, v.data(), rule_length + 5);
    EXPECT_EQ(r.report,
              L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。\r\n"
              L"人员：1");
    EXPECT_EQ(r.verdict, ROTA_VERDICT);
    // One place short of the CR LF pair: only the CR goes in.
    const GeneratedReport cr =
        run_generator(report_nurse_rota, FIXTURE_REPORT_NO_PARAMS, v.data(), rule_length);
    EXPECT_EQ(cr.report,
              L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。\r");
}

// ---- Kind 2: dosing times --------------------------------------------------

TEST(ReportDosingTimes, NoKeysGivesOneDoseAtMidnight) {
    const Values v{};
    const GeneratedReport r = run_generator(report_dosing_times, FIXTURE_REPORT_NO_PARAMS, v.data());
    EXPECT_EQ(r.report,
              L"首剂时间 0:00，间隔 8 小时，共 1 次：\r\n"
              L"第1天 00:00\r\n"
              L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n");
    EXPECT_EQ(r.verdict, DOSE_VERDICT);
    EXPECT_EQ(r.level, 0);
}

struct DosingCase {
    const char* name;
    double start;
    double interval;
    double times;
    const wchar_t* expected;
};

TEST(ReportDosingTimes, ExamplesByteForByte) {
    const DosingCase cases[] = {
        {"start 8, every 8 h, 3 doses", 8, 8, 3,
         L"首剂时间 8:00，间隔 8 小时，共 3 次：\r\n"
         L"第1天 08:00  |  第1天 16:00  |  第2天 00:00\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
        {"start 7.5, every 6 h, 4 doses", 7.5, 6, 4,
         L"首剂时间 8:00，间隔 6 小时，共 4 次：\r\n"
         L"第1天 07:30  |  第1天 13:30  |  第1天 19:30  |  第2天 01:30\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
        {"start 22, every 0.7 h, 5 doses: minutes cut", 22, 0.7, 5,
         L"首剂时间 22:00，间隔 1 小时，共 5 次：\r\n"
         L"第1天 22:00  |  第1天 22:41  |  第1天 23:23  |  第2天 00:06  |  第2天 00:48\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
        {"negative start, interval -1, 0 doses as no keys", -3, -1, 0,
         L"首剂时间 0:00，间隔 8 小时，共 1 次：\r\n"
         L"第1天 00:00\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
        {"interval 0 becomes 8", 1, 0, 2,
         L"首剂时间 1:00，间隔 8 小时，共 2 次：\r\n"
         L"第1天 01:00  |  第1天 09:00\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
        {"-0.0 start shows as 0", -0.0, 12, 2,
         L"首剂时间 0:00，间隔 12 小时，共 2 次：\r\n"
         L"第1天 00:00  |  第1天 12:00\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
        {"start past one day", 49.25, 24, 2,
         L"首剂时间 49:00，间隔 24 小时，共 2 次：\r\n"
         L"第3天 01:15  |  第4天 01:15\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
        {"last day that fits 32 bits", 51539607504.0, 1, 1,
         L"首剂时间 51539607504:00，间隔 1 小时，共 1 次：\r\n"
         L"第2147483647天 00:00\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
        {"first day past 32 bits", 51539607528.0, 1, 1,
         L"首剂时间 51539607528:00，间隔 1 小时，共 1 次：\r\n"
         L"第--天 --:--\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
        {"the series reaches the last day that fits", 51539607503.0, 1, 2,
         L"首剂时间 51539607503:00，间隔 1 小时，共 2 次：\r\n"
         L"第2147483646天 23:00  |  第2147483647天 00:00\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
        {"the series runs past the last day that fits", 51539607527.0, 1, 2,
         L"首剂时间 51539607527:00，间隔 1 小时，共 2 次：\r\n"
         L"第2147483647天 23:00  |  第--天 --:--\r\n"
         L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n"},
    };
    for (const DosingCase& c : cases) {
        const Values v = values_of({c.start, c.interval, c.times});
        const GeneratedReport r = run_generator(report_dosing_times, FIXTURE_REPORT_DOSING, v.data());
        EXPECT_EQ(r.report, c.expected) << c.name;
        EXPECT_EQ(r.verdict, DOSE_VERDICT) << c.name;
        EXPECT_EQ(r.level, 0) << c.name;
    }
}

TEST(ReportDosingTimes, ThirtyOneDosesGiveThirty) {
    const Values v = values_of({0, 1, 31});
    const GeneratedReport r = run_generator(report_dosing_times, FIXTURE_REPORT_DOSING, v.data());
    const std::vector<std::wstring> lines = lines_of(r.report);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"首剂时间 0:00，间隔 1 小时，共 30 次：");
    EXPECT_EQ(count_of(lines[1], L"  |  "), 29u);
    EXPECT_EQ(lines[1].substr(0, 9), L"第1天 00:00");
    EXPECT_EQ(lines[1].substr(lines[1].size() - 14), L"  |  第2天 05:00");
}

TEST(ReportDosingTimes, TimesThatCannotBeToldShowAsUnknown) {
    const double starts[] = {NOT_A_NUMBER, INFINITE, 1e308, 1.7976931348623157e308};
    for (double start : starts) {
        const Values v = values_of({start, 6, 3});
        const GeneratedReport r = run_generator(report_dosing_times, FIXTURE_REPORT_DOSING, v.data());
        const std::vector<std::wstring> lines = lines_of(r.report);
        ASSERT_EQ(lines.size(), 3u) << start;
        EXPECT_EQ(lines[1], L"第--天 --:--  |  第--天 --:--  |  第--天 --:--") << start;
        EXPECT_EQ(lines[2], L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。") << start;
        EXPECT_EQ(r.verdict, DOSE_VERDICT) << start;
    }
    const Values huge_interval = values_of({0, 1.7e308, 3});
    const GeneratedReport h = run_generator(report_dosing_times, FIXTURE_REPORT_DOSING, huge_interval.data());
    const std::vector<std::wstring> huge_lines = lines_of(h.report);
    ASSERT_EQ(huge_lines.size(), 3u);
    // 2 x 1.7e308 overflows to infinity.
    EXPECT_EQ(huge_lines[1], L"第1天 00:00  |  第--天 --:--  |  第--天 --:--");
    const Values nan_interval = values_of({2, NOT_A_NUMBER, 2});
    const GeneratedReport r = run_generator(report_dosing_times, FIXTURE_REPORT_DOSING, nan_interval.data());
    const std::vector<std::wstring> lines = lines_of(r.report);
    ASSERT_EQ(lines.size(), 3u);
    // The first dose needs no interval; the second cannot be told.
    EXPECT_EQ(lines[1], L"第--天 --:--  |  第--天 --:--");
}

// ---- Kind 7: follow-up plan ------------------------------------------------

TEST(ReportFollowUp, ThreeDailyVisitsAcrossTheLeapDay) {
    const Values v = values_of({1, 1, 3});
    const GeneratedReport r = run_generator(follow_up_on_test_day, FIXTURE_REPORT_FOLLOW_UP, v.data());
    EXPECT_EQ(r.report,
              L"随访节点（以今天为基准，起始第 1 天，间隔 1 天，共 3 次）：\r\n"
              L"第 1 次：2024-02-28\r\n"
              L"第 2 次：2024-02-29\r\n"
              L"第 3 次：2024-03-01\r\n"
              L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。\r\n");
    EXPECT_EQ(r.verdict, VISIT_VERDICT);
    EXPECT_EQ(r.level, 0);
}

TEST(ReportFollowUp, NoKeysGivesOneVisitToday) {
    const Values v{};
    const GeneratedReport r = run_generator(follow_up_on_test_day, FIXTURE_REPORT_NO_PARAMS, v.data());
    EXPECT_EQ(r.report,
              L"随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 1 次）：\r\n"
              L"第 1 次：2024-02-27\r\n"
              L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。\r\n");
    EXPECT_EQ(r.verdict, VISIT_VERDICT);
    EXPECT_EQ(r.level, 0);
}

struct FollowUpCase {
    const char* name;
    double start;
    double gap;
    double times;
    const wchar_t* header;
    size_t visits;
    const wchar_t* first_visit;
    const wchar_t* last_visit;
};

TEST(ReportFollowUp, BoundsAndEnormousValues) {
    const FollowUpCase cases[] = {
        {"start -1 is yesterday", -1, 7, 2, L"随访节点（以今天为基准，起始第 -1 天，间隔 7 天，共 2 次）：", 2,
         L"第 1 次：2024-02-26", L"第 2 次：2024-03-04"},
        {"25 visits give 20", 0, 1, 25, L"随访节点（以今天为基准，起始第 0 天，间隔 1 天，共 20 次）：", 20,
         L"第 1 次：2024-02-27", L"第 20 次：2024-03-17"},
        {"gap 0 becomes 7", 0, 0, 2, L"随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 2 次）：", 2,
         L"第 1 次：2024-02-27", L"第 2 次：2024-03-05"},
        {"gap 2.9 cut to 2", 0, 2.9, 2, L"随访节点（以今天为基准，起始第 0 天，间隔 2 天，共 2 次）：", 2,
         L"第 1 次：2024-02-27", L"第 2 次：2024-02-29"},
        {"a year on", 366, 7, 1, L"随访节点（以今天为基准，起始第 366 天，间隔 7 天，共 1 次）：", 1,
         L"第 1 次：2025-02-27", L"第 1 次：2025-02-27"},
        {"NaN start reads as INT32_MIN", NOT_A_NUMBER, 7, 2,
         L"随访节点（以今天为基准，起始第 -2147483648 天，间隔 7 天，共 2 次）：", 2,
         L"第 1 次：-5877587-08-18", L"第 2 次：-5877587-08-25"},
        {"largest start and gap", 2147483647.0, 2147483647.0, 20,
         L"随访节点（以今天为基准，起始第 2147483647 天，间隔 2147483647 天，共 20 次）：", 20,
         L"第 1 次：5881634-09-06", L"第 20 次：117594234-08-25"},
        {"infinite gap becomes 7", 0, INFINITE, 2, L"随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 2 次）：", 2,
         L"第 1 次：2024-02-27", L"第 2 次：2024-03-05"},
    };
    for (const FollowUpCase& c : cases) {
        const Values v = values_of({c.start, c.gap, c.times});
        const GeneratedReport r = run_generator(follow_up_on_test_day, FIXTURE_REPORT_FOLLOW_UP, v.data());
        const std::vector<std::wstring> lines = lines_of(r.report);
        ASSERT_EQ(lines.size(), c.visits + 2) << c.name;
        EXPECT_EQ(lines[0], c.header) << c.name;
        EXPECT_EQ(lines[1], c.first_visit) << c.name;
        EXPECT_EQ(lines[c.visits], c.last_visit) << c.name;
        EXPECT_EQ(lines.back(), L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。") << c.name;
        EXPECT_EQ(r.verdict, VISIT_VERDICT) << c.name;
        EXPECT_EQ(r.level, 0) << c.name;
    }
}

TEST(ReportFollowUp, TodayAtTheEdgeOfTheDayRangeStaysBounded) {
    const Values v = values_of({2147483647.0, 2147483647.0, 20});
    const day_number todays[] = {INT64_MAX, INT64_MIN, DAY_NUMBER_MAX, DAY_NUMBER_MIN};
    for (day_number today : todays) {
        std::vector<wchar_t> report(4096 + 8, L'\x7f');
        wchar_t verdict[512] = {};
        report[0] = L'\0';
        EXPECT_EQ(write_follow_up(FIXTURE_REPORT_FOLLOW_UP, v.data(), today, report.data(), 4096, verdict, 512), 0);
        const std::wstring text(report.data());
        EXPECT_LT(text.size(), 4096u) << today;
        EXPECT_EQ(lines_of(text).size(), 22u) << today;
        for (size_t i = 4096; i < report.size(); ++i) EXPECT_EQ(report[i], L'\x7f') << today;
        EXPECT_STREQ(verdict, VISIT_VERDICT);
    }
}

TEST(ReportFollowUp, ReadsTodayFromTheLocalClock) {
    const Values v = values_of({1, 1, 3});
    const LocalTime before = platform_local_time();
    const GeneratedReport r = run_generator(report_follow_up, FIXTURE_REPORT_FOLLOW_UP, v.data());
    const LocalTime after = platform_local_time();
    // The two readings differ only when the call straddled midnight.
    bool matched = false;
    for (const LocalTime& t : {before, after}) {
        wchar_t report[1024] = {};
        wchar_t verdict[512] = {};
        write_follow_up(FIXTURE_REPORT_FOLLOW_UP, v.data(), days_from_civil(t.year, t.month, t.day),
                        report, 1024, verdict, 512);
        if (r.report == report) matched = true;
    }
    EXPECT_TRUE(matched) << "report: " << r.report.size() << " characters";
    EXPECT_EQ(r.verdict, VISIT_VERDICT);
    EXPECT_EQ(r.level, 0);
}

// ---- All three: cutting and edge values ------------------------------------

struct ScheduleCase {
    const char* name;
    ReportGenerator generator;
    const ToolDefinition* tool;
    Values values;
    const wchar_t* verdict;
};

std::vector<ScheduleCase> schedule_cases() {
    return {
        {"rota 3x3", report_nurse_rota, &FIXTURE_REPORT_ROTA, values_of({3, 3}), ROTA_VERDICT},
        {"rota 40x31", report_nurse_rota, &FIXTURE_REPORT_ROTA_LARGEST, values_of({40, 31}), ROTA_VERDICT},
        {"dosing 22/0.7/5", report_dosing_times, &FIXTURE_REPORT_DOSING, values_of({22, 0.7, 5}), DOSE_VERDICT},
        {"dosing 30 doses", report_dosing_times, &FIXTURE_REPORT_DOSING, values_of({0, 1, 30}), DOSE_VERDICT},
        {"follow-up 1/1/3", follow_up_on_test_day, &FIXTURE_REPORT_FOLLOW_UP, values_of({1, 1, 3}), VISIT_VERDICT},
        {"follow-up 20", follow_up_on_test_day, &FIXTURE_REPORT_FOLLOW_UP, values_of({-400, 30, 20}), VISIT_VERDICT},
    };
}

TEST(ReportSchedules, EveryCapacityGivesThePrefixOfTheFullReport) {
    for (const ScheduleCase& c : schedule_cases()) {
        const GeneratedReport full = run_generator(c.generator, *c.tool, c.values.data());
        ASSERT_LT(full.report.size(), 8191u) << c.name;
        // Every capacity for the short reports; for the long rota every
        // capacity of its first lines and last lines and a stride between.
        const int32_t length = static_cast<int32_t>(full.report.size());
        for (int32_t capacity = 1; capacity <= length + 2;
             capacity += (capacity < 600 || capacity > length - 600) ? 1 : 7) {
            const GeneratedReport r = run_generator(c.generator, *c.tool, c.values.data(), capacity);
            const size_t kept = std::min(full.report.size(), static_cast<size_t>(capacity - 1));
            ASSERT_EQ(r.report, full.report.substr(0, kept)) << c.name << " at capacity " << capacity;
            ASSERT_TRUE(r.report_terminated) << c.name << " at capacity " << capacity;
            ASSERT_TRUE(r.guard_intact) << c.name << " at capacity " << capacity;
            ASSERT_EQ(r.verdict, c.verdict) << c.name << " at capacity " << capacity;
            ASSERT_EQ(r.level, 0) << c.name << " at capacity " << capacity;
        }
    }
}

TEST(ReportSchedules, VerdictIsWrittenWholeInTheSmallestVerdictCapacity) {
    // 21 places hold the longest verdict whole.
    for (const ScheduleCase& c : schedule_cases()) {
        const GeneratedReport r = run_generator(c.generator, *c.tool, c.values.data(), 8192, 21);
        EXPECT_EQ(r.verdict, c.verdict) << c.name;
        EXPECT_TRUE(r.verdict_terminated) << c.name;
        EXPECT_TRUE(r.guard_intact) << c.name;
    }
}

// A caller's smaller verdict buffer is never written past: the verdict is cut
// at its capacity and terminated.
TEST(ReportSchedules, VerdictIsCutToASmallerCapacity) {
    for (const ScheduleCase& c : schedule_cases()) {
        const GeneratedReport r = run_generator(c.generator, *c.tool, c.values.data(), 8192, 8);
        EXPECT_EQ(r.verdict, std::wstring(c.verdict).substr(0, 7)) << c.name;
        EXPECT_TRUE(r.verdict_terminated) << c.name;
        EXPECT_TRUE(r.guard_intact) << c.name;
    }
}

TEST(ReportSchedules, EdgeValuesNeverCrashAndStayBounded) {
    const ScheduleCase generators[] = {
        {"rota", report_nurse_rota, &FIXTURE_REPORT_ROTA, {}, ROTA_VERDICT},
        {"dosing", report_dosing_times, &FIXTURE_REPORT_DOSING, {}, DOSE_VERDICT},
        {"follow-up", follow_up_on_test_day, &FIXTURE_REPORT_FOLLOW_UP, {}, VISIT_VERDICT},
    };
    for (const ScheduleCase& g : generators) {
        for (double a : EDGE_VALUES) {
            for (double b : EDGE_VALUES) {
                const Values v = values_of({a, b, b});
                for (int32_t capacity : EDGE_CAPACITIES) {
                    const GeneratedReport r = run_generator(g.generator, *g.tool, v.data(), capacity);
                    ASSERT_TRUE(r.report_terminated) << g.name << " " << a << " " << b << " cap " << capacity;
                    ASSERT_TRUE(r.guard_intact) << g.name << " " << a << " " << b << " cap " << capacity;
                    ASSERT_EQ(r.verdict, g.verdict) << g.name << " " << a << " " << b;
                    ASSERT_EQ(r.level, 0) << g.name << " " << a << " " << b;
                    if (capacity == 8192) {
                        // A full-size report always ends with its closing line.
                        ASSERT_GE(r.report.size(), 2u) << g.name << " " << a << " " << b;
                        ASSERT_EQ(r.report.substr(r.report.size() - 2), L"\r\n") << g.name << " " << a << " " << b;
                    }
                }
            }
        }
    }
}

}  // namespace
