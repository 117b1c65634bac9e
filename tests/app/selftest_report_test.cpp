// build_selftest_report and run_selftest on the catalogue's tool and on
// fixture tools: the six kinds of lines byte for byte, the OUT lines at
// zero earlier outputs, the fixed OUT line of report tools, the DETAIL
// flattening, and bounded writing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "catalogue/catalogue.h"
#include "engine/engine.h"
#include "tests/app/selftest_tools.h"
#include "tests/fixtures/expected_reports.h"
#include "tests/app/temp_folder.h"
#include "tests/fixtures/report_tools.h"

namespace {

constexpr int32_t REPORT_FILE_CAPACITY = 16384;

std::wstring build(const ToolDefinition& tool, int32_t* errors = nullptr) {
    std::vector<wchar_t> text(REPORT_FILE_CAPACITY, L'#');
    const int32_t n = build_selftest_report(tool, text.data(), REPORT_FILE_CAPACITY);
    if (errors != nullptr) *errors = n;
    return std::wstring(text.data());
}

std::vector<std::wstring> split_lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) {
            lines.push_back(text.substr(start) + L"<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(SelftestReport, CatalogueToolAtItsDefaults) {
    int32_t errors = -1;
    const std::wstring report = build(current_tool(), &errors);
    EXPECT_EQ(report,
              L"TOOL|260|Veltrane|营养支持\r\n"
              L"LEVEL|0\r\n"
              L"OUT|估算渗透压|900|mOsm/L\r\n"
              L"VERDICT|可经外周静脉输注\r\n"
              L"DETAIL|估算渗透压：900 mOsm/L \r\n"
              L"ERRORS|0\r\n");
    EXPECT_EQ(errors, 0);
}

TEST(SelftestReport, FormulaToolWithAFailingOutput) {
    int32_t errors = -1;
    const std::wstring report = build(SELFTEST_FAILING_TOOL, &errors);
    EXPECT_EQ(report,
              L"TOOL|901|失败样例|测试\r\n"
              L"LEVEL|1\r\n"
              L"OUT|正常输出|6.0|mg\r\n"
              L"OUT|两倍|输出|0|mg\r\n"
              L"OUT|无法计算|--|\r\n"
              L"OUT|计数|3|\r\n"
              L"VERDICT|请复核|见说明\r\n"
              L"DETAIL|正常输出：6.0 mg 两倍|输出：12 mg 无法计算：-- 计数：3 "
              L"（部分结果无法计算，请检查输入是否合理） \r\n"
              L"ERRORS|1\r\n");
    EXPECT_EQ(errors, 1);
}

// The report text of evaluate_tool at the defaults, flattened by the rule:
// CR dropped, LF as a space, at most 8000 characters.
struct Evaluated {
    std::wstring verdict;
    std::wstring flattened;
    size_t flattened_uncut;   // length before the 8000 cut
    int32_t level;
};

Evaluated evaluate_at_defaults(const ToolDefinition& tool) {
    double values[MAX_PARAMETERS] = {};
    fixture_default_values(tool, values);
    static wchar_t report[8192], verdict[512], detail[8192];
    int32_t level = 0;
    evaluate_tool(tool, values, report, 8192, verdict, 512, &level, detail, 8192);
    Evaluated e{verdict, L"", 0, level};
    for (const wchar_t* c = report; *c != 0; ++c) {
        if (*c == L'\r') continue;
        e.flattened += (*c == L'\n') ? L' ' : *c;
    }
    e.flattened_uncut = e.flattened.size();
    if (e.flattened.size() > 8000) e.flattened.resize(8000);
    return e;
}

struct ReportToolCase {
    const char* name;
    const ToolDefinition* tool;
};

TEST(SelftestReport, ReportToolsGiveTheFixedOutLineAndOneDetailLine) {
    const ReportToolCase cases[] = {
        {"rota", &FIXTURE_REPORT_ROTA},
        {"largest rota", &FIXTURE_REPORT_ROTA_LARGEST},
        {"dosing times", &FIXTURE_REPORT_DOSING},
        {"draw order", &FIXTURE_REPORT_DRAW_ORDER},
        {"critical values", &FIXTURE_REPORT_CRITICAL},
        {"high-alert drugs", &FIXTURE_REPORT_HIGH_ALERT},
        {"compatibility", &FIXTURE_REPORT_COMPATIBILITY},
        {"checklist", &FIXTURE_REPORT_CHECKLIST},
        {"handover", &FIXTURE_REPORT_HANDOVER},
        {"infusion card", &FIXTURE_REPORT_INFUSION},
        {"lab panels", &FIXTURE_REPORT_LAB_PANELS},
    };
    for (const ReportToolCase& c : cases) {
        const ToolDefinition& tool = *c.tool;
        const Evaluated expected = evaluate_at_defaults(tool);
        ASSERT_FALSE(expected.flattened.empty()) << c.name << ": the generator wrote a report";
        int32_t errors = -1;
        const std::vector<std::wstring> lines = split_lines(build(tool, &errors));
        ASSERT_EQ(lines.size(), 6u) << c.name;
        EXPECT_EQ(lines[0], L"TOOL|" + std::to_wstring(tool.id) + L"|" + tool.name + L"|" + tool.category)
            << c.name;
        EXPECT_EQ(lines[1], L"LEVEL|" + std::to_wstring(expected.level)) << c.name;
        EXPECT_EQ(lines[2], L"OUT|报告文本|见 DETAIL|") << c.name;
        EXPECT_EQ(lines[3], L"VERDICT|" + expected.verdict) << c.name;
        EXPECT_EQ(lines[4], L"DETAIL|" + expected.flattened) << c.name;
        EXPECT_EQ(lines[5], L"ERRORS|0") << c.name;
        EXPECT_EQ(errors, 0) << c.name;
    }
}

TEST(SelftestReport, LongestReportIsFlattenedWhole) {
    // The largest rota is the longest report any generator writes (85 lines,
    // 6390 characters): below the 8000-character bound of the DETAIL line,
    // so it stands there whole.
    const Evaluated expected = evaluate_at_defaults(FIXTURE_REPORT_ROTA_LARGEST);
    ASSERT_GT(expected.flattened_uncut, 6000u);
    ASSERT_LE(expected.flattened_uncut, 8000u);
    const std::vector<std::wstring> lines = split_lines(build(FIXTURE_REPORT_ROTA_LARGEST));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4].size(), 7u + expected.flattened_uncut);
    EXPECT_EQ(lines[4], L"DETAIL|" + expected.flattened);
}

TEST(SelftestReport, SmallCapacityIsCutAndTerminated) {
    const std::wstring whole = build(SELFTEST_FAILING_TOOL);
    const int32_t length = static_cast<int32_t>(whole.size());
    ASSERT_GT(length, 100);
    const int32_t capacities[] = {1, 2, 10, 21, 22, 40, 100, length, length + 1, length + 2};
    for (int32_t capacity : capacities) {
        std::vector<wchar_t> text(capacity + 16, L'#');
        const int32_t errors = build_selftest_report(SELFTEST_FAILING_TOOL, text.data(), capacity);
        const std::wstring cut(text.data());
        const size_t expected = static_cast<size_t>(capacity - 1 < length ? capacity - 1 : length);
        EXPECT_EQ(cut.size(), expected) << "capacity " << capacity;
        EXPECT_EQ(cut, whole.substr(0, cut.size())) << "capacity " << capacity;
        EXPECT_EQ(errors, 1) << "capacity " << capacity << ": the count does not depend on the room";
        for (int32_t i = capacity; i < capacity + 16; ++i) {
            ASSERT_EQ(text[i], L'#') << "capacity " << capacity << ": wrote past it at " << i;
        }
    }
}

using RunSelftest = TempFolder;

TEST_F(RunSelftest, WritesTheCatalogueReportAndReturnsZero) {
    const std::wstring path = file(L"selftest.txt");
    EXPECT_EQ(run_selftest(path.c_str()), EXIT_SELFTEST_OK);
    EXPECT_EQ(read_bytes(path), CATALOGUE_REPORT);
}

TEST_F(RunSelftest, ReturnsThreeWhenTheReportCannotBeWritten) {
    const std::wstring path = file(L"missing/selftest.txt");
    EXPECT_EQ(run_selftest(path.c_str()), EXIT_SELFTEST_NOT_WRITTEN);
    EXPECT_FALSE(exists(path));
    EXPECT_EQ(run_selftest(folder().c_str()), EXIT_SELFTEST_NOT_WRITTEN) << "a folder is no file";
}

}  // namespace
