// evaluate_tool: a formula tool's outputs, report lines, notice and verdict,
// or a report tool's generator.
#include "engine/engine.h"
#include "formula/formula.h"

namespace {

constexpr int32_t LINE_CAPACITY = 256;

const wchar_t FAILED_NOTICE[] = L"（部分结果无法计算，请检查输入是否合理）\r\n";
const wchar_t DEFAULT_VERDICT[] = L"请核对输入参数后重新计算";

void make_empty(wchar_t* text, int32_t capacity) {
    if (text != nullptr && capacity >= 1) text[0] = L'\0';
}

bool is_empty(const wchar_t* text) { return text == nullptr || text[0] == L'\0'; }

// One report line per output: "label：value unit", or "label：value" when
// the output has no unit. Appended only while the report has room.
void append_output_line(const OutputSpec& output, double value, wchar_t* report, int32_t report_capacity) {
    wchar_t value_text[VALUE_TEXT_CAPACITY];
    format_value(output.format, value, value_text, VALUE_TEXT_CAPACITY);
    const wchar_t* label = output.label != nullptr ? output.label : L"";
    wchar_t line[LINE_CAPACITY];
    if (!is_empty(output.unit)) {
        text_format(line, LINE_CAPACITY, L"%ls：%ls %ls\r\n", label, value_text, output.unit);
    } else {
        text_format(line, LINE_CAPACITY, L"%ls：%ls\r\n", label, value_text);
    }
    text_append(report, report_capacity, line);
}

// The first rule whose condition is empty, or evaluates without failure to
// a value other than 0 (NaN included); null when none matches. A condition
// that fails never matches. A null condition (a faulty record) is taken as
// failing rather than as the always-matching empty text.
const LevelRule* first_matching_rule(const ToolDefinition& tool, const double* param_values,
                                     const double* output_values) {
    if (tool.rules == nullptr) return nullptr;
    for (int32_t i = 0; i < tool.rule_count; ++i) {
        const LevelRule& rule = tool.rules[i];
        if (rule.condition == nullptr) continue;
        if (rule.condition[0] == '\0') return &rule;
        int32_t error = 0;
        const double value = evaluate_formula(tool, rule.condition, param_values, output_values, &error);
        if (error == 0 && value != 0.0) return &rule;
    }
    return nullptr;
}

}  // namespace

int32_t evaluate_tool(const ToolDefinition& tool, const double* param_values,
                      wchar_t* report, int32_t report_capacity,
                      wchar_t* verdict, int32_t verdict_capacity,
                      int32_t* level,
                      wchar_t* detail, int32_t detail_capacity) {
    make_empty(detail, detail_capacity);
    make_empty(verdict, verdict_capacity);
    make_empty(report, report_capacity);
    int32_t result = 0;
    if (level != nullptr) *level = 0;

    if (tool.report_kind != 0) {
        // A report tool: the generator writes both texts; an empty verdict
        // stays empty.
        result = generate_report(tool.report_kind, tool, param_values, report, report_capacity,
                                 verdict, verdict_capacity);
        text_copy(detail, detail_capacity, report);
        if (level != nullptr) *level = result;
        return result;
    }

    // Each formula sees the earlier outputs and 0 for its own and later ones.
    double output_values[MAX_OUTPUTS] = {};
    int32_t output_count = tool.outputs != nullptr ? tool.output_count : 0;
    if (output_count < 0) output_count = 0;
    if (output_count > MAX_OUTPUTS) output_count = MAX_OUTPUTS;
    bool any_failed = false;
    for (int32_t i = 0; i < output_count; ++i) {
        int32_t error = 0;
        output_values[i] = evaluate_formula(tool, tool.outputs[i].formula, param_values, output_values, &error);
        if (error != 0) any_failed = true;
    }

    for (int32_t i = 0; i < output_count; ++i) {
        append_output_line(tool.outputs[i], output_values[i], report, report_capacity);
    }
    if (any_failed) text_append(report, report_capacity, FAILED_NOTICE);

    const LevelRule* rule = first_matching_rule(tool, param_values, output_values);
    if (rule != nullptr) {
        text_copy(verdict, verdict_capacity, rule->verdict);
        result = rule->level;
    }
    // The default verdict also covers a matching rule with an empty verdict;
    // it keeps the rule's level. Bounded like every text: a verdict capacity
    // below its size cuts it rather than writing past the buffer.
    if (verdict != nullptr && verdict_capacity >= 1 && verdict[0] == L'\0') {
        text_copy(verdict, verdict_capacity, DEFAULT_VERDICT);
    }

    text_copy(detail, detail_capacity, report);
    if (level != nullptr) *level = result;
    return result;
}
