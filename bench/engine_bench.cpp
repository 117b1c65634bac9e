// The engine around the evaluator: evaluate_tool on the catalogue's tool at
// its defaults, the engine part of one window compute, and every report
// kind at its largest input.
#include <benchmark/benchmark.h>

#include "catalogue/catalogue.h"
#include "engine/engine.h"

namespace {

constexpr int32_t SELFTEST_REPORT = 8192;
constexpr int32_t WINDOW_REPORT = 4096;
constexpr int32_t VERDICT = 512;
constexpr int32_t DETAIL = 8192;
constexpr int32_t COPY_TEXT = 1024;

void defaults_of(const ToolDefinition& tool, double* values) {
    for (int32_t i = 0; i < tool.param_count; ++i) values[i] = tool.params[i].default_value;
}

void evaluate_tool_catalogue(benchmark::State& state) {
    const ToolDefinition& tool = current_tool();
    double values[MAX_PARAMETERS] = {};
    defaults_of(tool, values);
    static wchar_t report[SELFTEST_REPORT], verdict[VERDICT], detail[DETAIL];
    int32_t level = 0;
    for (auto _ : state) {
        int32_t result = evaluate_tool(tool, values, report, SELFTEST_REPORT, verdict, VERDICT,
                                       &level, detail, DETAIL);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(evaluate_tool_catalogue);

// What the compute command does between reading the fields and painting:
// evaluate with the window's capacities, then build the copy text.
void window_compute_engine(benchmark::State& state) {
    const ToolDefinition& tool = current_tool();
    double values[MAX_PARAMETERS] = {};
    defaults_of(tool, values);
    static wchar_t report[WINDOW_REPORT], verdict[VERDICT], detail[DETAIL], copy[COPY_TEXT];
    int32_t level = 0;
    for (auto _ : state) {
        evaluate_tool(tool, values, report, WINDOW_REPORT, verdict, VERDICT, &level, detail, DETAIL);
        text_format(copy, COPY_TEXT, L"%ls\u2014\u2014 %ls", report, verdict);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(window_compute_engine);

// One report tool per kind, at the largest input its bounds allow.
struct ReportCase {
    const char* name;
    ReportKind kind;
    int32_t param_count;
    ParameterSpec params[4];
    double values[4];
};

const ReportCase REPORT_CASES[] = {
    {"report_01_rota_40x31", 1, 2, {{"nurses", L"n", nullptr, 0}, {"days", L"d", nullptr, 0}}, {40, 31}},
    {"report_02_dosing_30", 2, 3,
     {{"start", L"s", nullptr, 0}, {"interval", L"i", nullptr, 0}, {"times", L"t", nullptr, 0}},
     {22, 0.7, 30}},
    {"report_03_draw_order", 3, 1, {{"kind", L"k", nullptr, 0}}, {2}},
    {"report_04_critical_values", 4, 1, {{"kind", L"k", nullptr, 0}}, {1}},
    {"report_05_high_alert", 5, 1, {{"kind", L"k", nullptr, 0}}, {3}},
    {"report_06_compatibility", 6, 2, {{"drugA", L"a", nullptr, 0}, {"drugB", L"b", nullptr, 0}}, {9, 2}},
    {"report_07_follow_up_20", 7, 3,
     {{"start", L"s", nullptr, 0}, {"gap", L"g", nullptr, 0}, {"times", L"t", nullptr, 0}},
     {30, 90, 20}},
    {"report_08_checklist", 8, 0, {}, {}},
    {"report_09_handover_30", 9, 1, {{"beds", L"b", nullptr, 0}}, {30}},
    {"report_10_infusion_card", 10, 4,
     {{"bed", L"b", nullptr, 0}, {"dose", L"d", nullptr, 0}, {"volume", L"v", nullptr, 0},
      {"gtt", L"g", nullptr, 0}},
     {12, 2.5, 250, 40}},
    {"report_11_lab_panels", 11, 1, {{"panel", L"p", nullptr, 0}}, {2}},
};

void report(benchmark::State& state, const ReportCase* c) {
    ToolDefinition tool{};
    tool.id = 900 + c->kind;
    tool.name = L"bench";
    tool.category = L"bench";
    tool.reference = L"";
    tool.param_count = c->param_count;
    tool.params = c->params;
    tool.report_kind = c->kind;
    static wchar_t text[SELFTEST_REPORT], verdict[VERDICT];
    for (auto _ : state) {
        int32_t level = generate_report(c->kind, tool, c->values, text, SELFTEST_REPORT, verdict, VERDICT);
        benchmark::DoNotOptimize(level);
        benchmark::ClobberMemory();
    }
    state.counters["chars"] = text_length(text);
}

struct ReportRegistrar {
    ReportRegistrar() {
        for (const ReportCase& c : REPORT_CASES) benchmark::RegisterBenchmark(c.name, report, &c);
    }
};
const ReportRegistrar report_registrar;

}  // namespace
