#include "tests/ui/ui_tools.h"

namespace {

constexpr ParameterSpec PLAIN_PARAMS[] = {
    {"x", L"甲值", L"mg", 1.0},
    {"y", L"乙值", nullptr, 2.5},
    {"z", L"丙值", L"", 1234567.0},
};
constexpr OutputSpec PLAIN_OUTPUTS[] = {
    {"s", L"合计", L"mg", "x+y+z", "f2"},
};
constexpr LevelRule PLAIN_RULES[] = {
    {"s>10", 3, L"偏高"},
    {"", 0, L"正常"},
};
constexpr ToolDefinition PLAIN_TOOL = {
    951, L"Plain", nullptr, L"测试", L"x+y+z", nullptr,
    3, PLAIN_PARAMS, 1, PLAIN_OUTPUTS, 2, PLAIN_RULES, 0,
};

constexpr ToolDefinition EMPTY_TOOL = {
    952, L"Empty", L"无参数", L"测试", L"无", L"空工具",
    0, nullptr, 0, nullptr, 0, nullptr, 0,
};

constexpr ParameterSpec LEVEL_PARAMS[] = {
    {"v", L"级别", nullptr, 0.0},
};
constexpr OutputSpec LEVEL_OUTPUTS[] = {
    {"w", L"输入", nullptr, "v", "f0"},
};
constexpr LevelRule LEVEL_RULES[] = {
    {"v==1", 1, L"一级"},
    {"v==2", 2, L"二级"},
    {"v==3", 3, L"三级"},
    {"v==7", 7, L"七级"},
    {"v==-1", -1, L"负级"},
    {"", 0, L"零级"},
};
constexpr ToolDefinition LEVEL_TOOL = {
    953, L"Levels", L"按级别", L"测试", L"v", L"级别测试",
    1, LEVEL_PARAMS, 1, LEVEL_OUTPUTS, 6, LEVEL_RULES, 0,
};

constexpr ParameterSpec DRUG_PARAMS[] = {
    {"drugA", L"药物A编号", nullptr, 1.0},
    {"drugB", L"药物B编号", nullptr, 2.0},
};
constexpr ToolDefinition COMPATIBILITY_TOOL = {
    954, L"Compat", L"配伍", L"药学", L"配伍表", L"配伍测试",
    2, DRUG_PARAMS, 0, nullptr, 0, nullptr, 6,
};

constexpr ParameterSpec ROTA_PARAMS[] = {
    {"nurses", L"人数", L"人", 40.0},
    {"days", L"天数", L"天", 31.0},
};
constexpr ToolDefinition ROTA_TOOL = {
    955, L"Rota", L"排班", L"护理", L"排班规则", nullptr,
    2, ROTA_PARAMS, 0, nullptr, 0, nullptr, 1,
};

constexpr const wchar_t* LONG_NAME =
    L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
constexpr ToolDefinition LONG_NAME_TOOL = {
    956, LONG_NAME, nullptr, L"测试", L"x+y+z", nullptr,
    3, PLAIN_PARAMS, 1, PLAIN_OUTPUTS, 2, PLAIN_RULES, 0,
};
constexpr ToolDefinition SUBTITLE_TOOL = {
    956, LONG_NAME, L"副标题", L"测试", L"x+y+z", nullptr,
    3, PLAIN_PARAMS, 1, PLAIN_OUTPUTS, 2, PLAIN_RULES, 0,
};
constexpr ToolDefinition EMPTY_SUBTITLE_TOOL = {
    956, LONG_NAME, L"", L"测试", L"x+y+z", nullptr,
    3, PLAIN_PARAMS, 1, PLAIN_OUTPUTS, 2, PLAIN_RULES, 0,
};

constexpr ParameterSpec MANY_PARAMS[17] = {
    {"a", L"a", nullptr, 0}, {"b", L"b", nullptr, 0}, {"c", L"c", nullptr, 0},
    {"d", L"d", nullptr, 0}, {"e", L"e", nullptr, 0}, {"f", L"f", nullptr, 0},
    {"g", L"g", nullptr, 0}, {"h", L"h", nullptr, 0}, {"i", L"i", nullptr, 0},
    {"j", L"j", nullptr, 0}, {"k", L"k", nullptr, 0}, {"l", L"l", nullptr, 0},
    {"m", L"m", nullptr, 0}, {"n", L"n", nullptr, 0}, {"o", L"o", nullptr, 0},
    {"p", L"p", nullptr, 0}, {"q", L"q", nullptr, 0},
};
constexpr ToolDefinition OVERSIZED_TOOL = {
    957, L"Oversized", nullptr, L"测试", L"", nullptr,
    17, MANY_PARAMS, 0, nullptr, 0, nullptr, 0,
};

}  // namespace

const ToolDefinition& plain_tool() { return PLAIN_TOOL; }
const ToolDefinition& empty_tool() { return EMPTY_TOOL; }
const ToolDefinition& level_tool() { return LEVEL_TOOL; }
const ToolDefinition& compatibility_tool() { return COMPATIBILITY_TOOL; }
const ToolDefinition& rota_tool() { return ROTA_TOOL; }
const ToolDefinition& long_name_tool() { return LONG_NAME_TOOL; }
const ToolDefinition& subtitle_tool() { return SUBTITLE_TOOL; }
const ToolDefinition& empty_subtitle_tool() { return EMPTY_SUBTITLE_TOOL; }
const ToolDefinition& oversized_tool() { return OVERSIZED_TOOL; }
