// evaluate_tool and generate_report with any kind, any parameter values and
// any capacities the contract allows, and write_follow_up with any day.
//
// Input, front to back: the kind (a byte: -1 to 12, or from 200 up the next
// four bytes as any 32-bit kind); the report, verdict and detail capacities
// (13 to 8192, 21 to 512, 1 to 8192); sixteen parameter values (see
// FuzzInput::value); a day number; then up to three NUL-separated formula
// texts for the fixture tool's first output, its second output and its
// first rule. The tool's sixteen keys are every key the generators read and
// the catalogue's "glu".
//
// Checks: every text terminated within its capacity (the buffers are
// exactly that big, so a write past it is an address-sanitizer report); the
// detail text is the report cut to its capacity; the level is stored and
// returned alike and lies in the range of its source; a formula tool's
// report, verdict and level as computed the plain way; the notice texts for
// kinds outside 1 to 11; the same report through both entry points.
#include <cstring>
#include <string>

#include "engine/engine.h"
#include "formula/formula.h"
#include "fuzz_input.h"

namespace {

const ParameterSpec PARAMS[MAX_PARAMETERS] = {
    {"nurses", L"护士", nullptr, 0}, {"days", L"天数", nullptr, 0},     {"start", L"起始", nullptr, 0},
    {"interval", L"间隔", nullptr, 0}, {"times", L"次数", nullptr, 0},  {"kind", L"类别", nullptr, 0},
    {"drugA", L"药A", nullptr, 0},    {"drugB", L"药B", nullptr, 0},    {"gap", L"间隔天", nullptr, 0},
    {"beds", L"床数", nullptr, 0},    {"bed", L"床号", nullptr, 0},     {"dose", L"剂量", nullptr, 0},
    {"volume", L"溶媒", nullptr, 0},  {"gtt", L"滴速", nullptr, 0},     {"panel", L"套餐", nullptr, 0},
    {"glu", L"葡萄糖浓度", L"g/L", 100},
};

const wchar_t NOTICE_REPORT[] = L"（该工具暂无自定义报告）";
const wchar_t NOTICE_VERDICT[] = L"暂无报告内容";
const wchar_t DEFAULT_VERDICT[] = L"请核对输入参数后重新计算";

bool is_prefix_cut(const wchar_t* cut, const wchar_t* whole, int32_t capacity) {
    const size_t whole_length = std::wcslen(whole);
    const size_t expected = whole_length < static_cast<size_t>(capacity - 1) ? whole_length : capacity - 1;
    return std::wcslen(cut) == expected && std::wmemcmp(cut, whole, expected) == 0;
}

// What a formula tool's report, verdict and level must be, computed the
// plain way: every output in order (each seeing the earlier ones), one line
// "label：value unit" per output, the notice when any failed, the whole text
// cut at the capacity; the first rule whose condition is empty or succeeds
// with a value other than 0; the default verdict when it gave no text.
struct Expected {
    std::wstring report;
    std::wstring verdict;
    int32_t level = 0;
};

Expected expected_formula_tool(const ToolDefinition& tool, const double* values, int32_t report_capacity,
                               int32_t verdict_capacity) {
    Expected e;
    double outputs[MAX_OUTPUTS] = {};
    bool any_failed = false;
    for (int32_t i = 0; i < tool.output_count; ++i) {
        int32_t error = 0;
        outputs[i] = evaluate_formula(tool, tool.outputs[i].formula, values, outputs, &error);
        any_failed |= error != 0;
    }
    for (int32_t i = 0; i < tool.output_count; ++i) {
        const OutputSpec& o = tool.outputs[i];
        wchar_t value_text[VALUE_TEXT_CAPACITY];
        format_value(o.format, outputs[i], value_text, VALUE_TEXT_CAPACITY);
        e.report += std::wstring(o.label) + L"\uFF1A" + value_text;
        if (o.unit != nullptr && o.unit[0] != 0) e.report += std::wstring(L" ") + o.unit;
        e.report += L"\r\n";
    }
    if (any_failed) e.report += L"（部分结果无法计算，请检查输入是否合理）\r\n";
    if (e.report.size() > static_cast<size_t>(report_capacity - 1)) e.report.resize(report_capacity - 1);
    for (int32_t i = 0; i < tool.rule_count; ++i) {
        const LevelRule& r = tool.rules[i];
        int32_t error = 0;
        const bool matches = r.condition[0] == 0 ||
                             (evaluate_formula(tool, r.condition, values, outputs, &error) != 0 && error == 0);
        if (!matches) continue;
        e.verdict = r.verdict;
        e.level = r.level;
        break;
    }
    if (e.verdict.empty()) e.verdict = DEFAULT_VERDICT;
    if (e.verdict.size() > static_cast<size_t>(verdict_capacity - 1)) e.verdict.resize(verdict_capacity - 1);
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const uint8_t kind_byte = in.byte();
    const ReportKind kind = kind_byte < 200 ? static_cast<ReportKind>(kind_byte % 14) - 1
                                            : static_cast<ReportKind>(in.u32());
    const int32_t report_capacity = in.in_range(REPORT_CAPACITY_MIN, 8192);
    const int32_t verdict_capacity = in.in_range(VERDICT_CAPACITY_MIN, 512);
    const int32_t detail_capacity = in.in_range(1, 8192);
    double values[MAX_PARAMETERS];
    for (double& v : values) v = in.value();
    const day_number today =
        static_cast<day_number>(static_cast<uint64_t>(in.u32()) << 32 | in.u32()) % (DAY_NUMBER_MAX + 1);

    // Up to three formulas from the rest of the bytes.
    std::string formulas[3] = {"glu*5+nurses*8+days*2", "osm/7", "osm>900"};
    for (int i = 0; i < 3 && in.left() > 0; ++i) {
        std::string text;
        while (in.left() > 0) {
            const uint8_t c = in.byte();
            if (c == 0) break;
            text += static_cast<char>(c);
        }
        formulas[i] = text;
    }
    const OutputSpec outputs[] = {
        {"osm", L"估算渗透压", L"mOsm/L", formulas[0].c_str(), "f0"},
        {"x", L"派生", nullptr, formulas[1].c_str(), "date"},
        {"p", L"比例", L"%", "x/osm", "pct"},
    };
    const LevelRule rules[] = {
        {formulas[2].c_str(), 3, L"渗透压过高，必须经中心静脉输注"},
        {"p<0", -5, L""},
        {"", 0, L"可经外周静脉输注"},
    };
    const ToolDefinition tool = {
        9000, L"模糊", nullptr, L"测试", L"参考", nullptr, MAX_PARAMETERS, PARAMS, 3, outputs, 3, rules, kind,
    };

    WideBuffer report(report_capacity), verdict(verdict_capacity), detail(detail_capacity);
    int32_t level = 12345;
    const int32_t result = evaluate_tool(tool, values, report.text, report_capacity, verdict.text,
                                         verdict_capacity, &level, detail.text, detail_capacity);
    FUZZ_CHECK(result == level);
    FUZZ_CHECK(report.terminated_length() >= 0);
    FUZZ_CHECK(verdict.terminated_length() >= 0);
    FUZZ_CHECK(detail.terminated_length() >= 0);
    FUZZ_CHECK(is_prefix_cut(detail.text, report.text, detail_capacity));

    if (kind == 0) {
        const Expected e = expected_formula_tool(tool, values, report_capacity, verdict_capacity);
        FUZZ_CHECK(std::wstring(report.text) == e.report);
        FUZZ_CHECK(std::wstring(verdict.text) == e.verdict);
        FUZZ_CHECK(level == e.level);
    } else if (kind < 1 || kind > 11) {
        FUZZ_CHECK(level == 0);
        FUZZ_CHECK(std::wcscmp(report.text, NOTICE_REPORT) == 0);
        FUZZ_CHECK(std::wcscmp(verdict.text, NOTICE_VERDICT) == 0);
    } else {
        FUZZ_CHECK(kind == 6 ? (level >= 0 && level <= 3) : level == 0);
        FUZZ_CHECK(verdict.terminated_length() > 0);
    }

    // The dispatch alone gives the same texts (kind 7 reads the clock, which
    // may pass midnight between the calls).
    if (kind != 0 && kind != 7) {
        WideBuffer report2(report_capacity), verdict2(verdict_capacity);
        const int32_t level2 =
            generate_report(kind, tool, values, report2.text, report_capacity, verdict2.text, verdict_capacity);
        FUZZ_CHECK(level2 == level);
        FUZZ_CHECK(std::wcscmp(report2.text, report.text) == 0);
        FUZZ_CHECK(std::wcscmp(verdict2.text, verdict.text) == 0);
    }

    // The follow-up plan on any day the calendar converts.
    {
        WideBuffer report3(report_capacity), verdict3(verdict_capacity);
        report3.text[0] = verdict3.text[0] = 0;
        const day_number day = (kind_byte & 1) ? today : -today;
        const int32_t level3 =
            write_follow_up(tool, values, day, report3.text, report_capacity, verdict3.text, verdict_capacity);
        FUZZ_CHECK(level3 == 0);
        FUZZ_CHECK(report3.terminated_length() >= 0);
        FUZZ_CHECK(verdict3.terminated_length() > 0);
    }
    return 0;
}
