#include "tests/app/selftest_tools.h"

namespace {

constexpr ParameterSpec FAILING_PARAMS[] = {
    {"a", L"剂量", L"mg", 2},
};

constexpr OutputSpec FAILING_OUTPUTS[] = {
    // key    label         unit     formula     format
    {"ok",   L"正常输出",   L"mg",   "a*3",      "f1"},   // 6.0
    {"dbl",  L"两倍|输出",  L"mg",   "ok*2",     "f0"},   // 0 in OUT (ok at 0), 12 in DETAIL
    {"bad",  L"无法计算",   nullptr, "a*1e999",  nullptr},// infinite: fails, shows "--"
    {"cnt",  L"计数",       L"",     "a+1",      "int"},  // 3
};

constexpr LevelRule FAILING_RULES[] = {
    {"a>5", 3, L"剂量过高"},
    {"", 1, L"请复核|见说明"},
};

}  // namespace

constinit const ToolDefinition SELFTEST_FAILING_TOOL = {
    901, L"失败样例", nullptr, L"测试", L"测试", nullptr,
    1, FAILING_PARAMS, 4, FAILING_OUTPUTS, 2, FAILING_RULES, 0};
