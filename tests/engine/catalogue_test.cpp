// The catalogue's one tool: its record field by field, and its evaluation
// at the defaults and around the 900 mOsm/L threshold.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "catalogue/catalogue.h"
#include "engine/engine.h"

namespace {

TEST(Catalogue, RecordFields) {
    const ToolDefinition& tool = current_tool();
    EXPECT_EQ(&tool, &current_tool());
    EXPECT_EQ(tool.id, 260);
    EXPECT_STREQ(tool.name, L"Veltrane");
    EXPECT_STREQ(tool.subtitle, L"按成分估算渗透压");
    EXPECT_STREQ(tool.category, L"营养支持");
    EXPECT_STREQ(tool.reference, L"渗透压(mOsm/L)≈葡萄糖(g/L)×5+氨基酸(g/L)×8+Na(mmol/L)×2");
    EXPECT_STREQ(tool.note, L"外周静脉渗透压应<900mOsm/L，过高需中心静脉输注。");
    EXPECT_EQ(tool.report_kind, 0);
    ASSERT_EQ(tool.param_count, 3);
    ASSERT_EQ(tool.output_count, 1);
    ASSERT_EQ(tool.rule_count, 2);
}

struct ParamRow {
    const char* key;
    const wchar_t* label;
    const wchar_t* unit;
    double default_value;
};

const ParamRow PARAM_ROWS[] = {
    {"glu", L"葡萄糖浓度", L"g/L", 100},
    {"aa", L"氨基酸浓度", L"g/L", 40},
    {"na", L"钠浓度", L"mmol/L", 40},
};

TEST(Catalogue, Parameters) {
    const ToolDefinition& tool = current_tool();
    ASSERT_EQ(tool.param_count, 3);
    for (int32_t i = 0; i < 3; ++i) {
        const ParamRow& row = PARAM_ROWS[i];
        EXPECT_STREQ(tool.params[i].key, row.key) << "parameter " << i;
        EXPECT_STREQ(tool.params[i].label, row.label) << row.key;
        EXPECT_STREQ(tool.params[i].unit, row.unit) << row.key;
        EXPECT_EQ(tool.params[i].default_value, row.default_value) << row.key;
    }
}

TEST(Catalogue, OutputAndRules) {
    const ToolDefinition& tool = current_tool();
    ASSERT_EQ(tool.output_count, 1);
    EXPECT_STREQ(tool.outputs[0].key, "osm");
    EXPECT_STREQ(tool.outputs[0].label, L"估算渗透压");
    EXPECT_STREQ(tool.outputs[0].unit, L"mOsm/L");
    EXPECT_STREQ(tool.outputs[0].formula, "glu*5+aa*8+na*2");
    EXPECT_STREQ(tool.outputs[0].format, "f0");
    ASSERT_EQ(tool.rule_count, 2);
    EXPECT_STREQ(tool.rules[0].condition, "glu*5+aa*8+na*2>900");
    EXPECT_EQ(tool.rules[0].level, 3);
    EXPECT_STREQ(tool.rules[0].verdict, L"渗透压过高，必须经中心静脉输注");
    EXPECT_STREQ(tool.rules[1].condition, "");
    EXPECT_EQ(tool.rules[1].level, 0);
    EXPECT_STREQ(tool.rules[1].verdict, L"可经外周静脉输注");
}

struct CatalogueCase {
    const char* name;
    double glu, aa, na;
    const wchar_t* report;
    const wchar_t* verdict;
    int32_t level;
};

const CatalogueCase CATALOGUE_CASES[] = {
    {"defaults give exactly 900: not above the threshold", 100, 40, 40,
     L"估算渗透压：900 mOsm/L\r\n", L"可经外周静脉输注", 0},
    {"glucose 101 gives 905", 101, 40, 40, L"估算渗透压：905 mOsm/L\r\n", L"渗透压过高，必须经中心静脉输注", 3},
    {"sodium 40.5 gives 901", 100, 40, 40.5, L"估算渗透压：901 mOsm/L\r\n", L"渗透压过高，必须经中心静脉输注", 3},
    {"just above 900 rounds to 900 but is above", 100, 40, 40.0001, L"估算渗透压：900 mOsm/L\r\n",
     L"渗透压过高，必须经中心静脉输注", 3},
    {"all zero", 0, 0, 0, L"估算渗透压：0 mOsm/L\r\n", L"可经外周静脉输注", 0},
    {"an overflowing sum fails the output, yet the comparison with 900 is 1 and succeeds", 1e308, 1e308, 0,
     L"估算渗透压：-- mOsm/L\r\n（部分结果无法计算，请检查输入是否合理）\r\n",
     L"渗透压过高，必须经中心静脉输注", 3},
    {"a NaN input fails the output and the comparison is false", NAN, 40, 40,
     L"估算渗透压：-- mOsm/L\r\n（部分结果无法计算，请检查输入是否合理）\r\n", L"可经外周静脉输注", 0},
};

TEST(Catalogue, EvaluatesAroundTheThreshold) {
    for (const CatalogueCase& cc : CATALOGUE_CASES) {
        const double values[MAX_PARAMETERS] = {cc.glu, cc.aa, cc.na};
        wchar_t report[4096];
        wchar_t verdict[512];
        wchar_t detail[8192];
        int32_t level = -1;
        const int32_t returned =
            evaluate_tool(current_tool(), values, report, 4096, verdict, 512, &level, detail, 8192);
        EXPECT_EQ(std::wstring(report), std::wstring(cc.report)) << cc.name;
        EXPECT_EQ(std::wstring(verdict), std::wstring(cc.verdict)) << cc.name;
        EXPECT_EQ(level, cc.level) << cc.name;
        EXPECT_EQ(returned, cc.level) << cc.name;
        EXPECT_EQ(std::wstring(detail), std::wstring(cc.report)) << cc.name;
    }
}

TEST(Catalogue, DefaultsAreTheEvaluatedInputs) {
    const ToolDefinition& tool = current_tool();
    double values[MAX_PARAMETERS] = {};
    for (int32_t i = 0; i < tool.param_count; ++i) values[i] = tool.params[i].default_value;
    wchar_t report[8192];
    wchar_t verdict[512];
    wchar_t detail[8192];
    int32_t level = -1;
    EXPECT_EQ(evaluate_tool(tool, values, report, 8192, verdict, 512, &level, detail, 8192), 0);
    EXPECT_EQ(std::wstring(report), L"估算渗透压：900 mOsm/L\r\n");
    EXPECT_EQ(std::wstring(verdict), L"可经外周静脉输注");
}

}  // namespace
