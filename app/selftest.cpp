// The headless self-test: the tool evaluated once at its defaults, the
// report of TOOL, LEVEL, OUT, VERDICT, DETAIL and ERRORS lines, the file.
#include "app/app.h"

#include <cstdint>

#include "catalogue/catalogue.h"
#include "engine/engine.h"
#include "formula/formula.h"

namespace {

constexpr int32_t SELFTEST_REPORT_CAPACITY = 8192;   // report text of evaluate_tool
constexpr int32_t SELFTEST_VERDICT_CAPACITY = 512;
constexpr int32_t LEVEL_LINE_CAPACITY = 256;
constexpr int32_t OUT_LINE_CAPACITY = 512;
constexpr int32_t ERRORS_LINE_CAPACITY = 128;
constexpr int32_t DETAIL_MAX_CHARACTERS = 8000;      // flattened characters, CRs not counted
constexpr int32_t REPORT_FILE_CAPACITY = 16384;      // what run_selftest passes

constexpr wchar_t REPORT_KIND_OUT_LINE[] = L"OUT|报告文本|见 DETAIL|\r\n";

const wchar_t* or_empty(const wchar_t* text) { return text != nullptr ? text : L""; }

// Appends the report text on one line: CR dropped, LF as one space, every
// other character as it is; stops after DETAIL_MAX_CHARACTERS written or
// when the file text is full (it never writes past its capacity).
void append_flattened(wchar_t* file_text, int32_t capacity, const wchar_t* report) {
    int32_t length = text_length(file_text);
    int32_t written = 0;
    for (const wchar_t* c = report; *c != 0 && written < DETAIL_MAX_CHARACTERS; ++c) {
        if (*c == L'\r') continue;
        if (length >= capacity - 1) break;
        file_text[length] = (*c == L'\n') ? L' ' : *c;
        ++length;
        ++written;
    }
    if (capacity > 0) file_text[length] = 0;
}

}  // namespace

int32_t build_selftest_report(const ToolDefinition& tool, wchar_t* report_file, int32_t capacity) {
    if (report_file == nullptr || capacity <= 0) return 0;

    // Only the first MAX_PARAMETERS / MAX_OUTPUTS entries have room; a
    // record never lists more.
    const int32_t param_count = tool.param_count < MAX_PARAMETERS ? tool.param_count : MAX_PARAMETERS;
    const int32_t output_count = tool.output_count < MAX_OUTPUTS ? tool.output_count : MAX_OUTPUTS;

    double param_values[MAX_PARAMETERS] = {};
    for (int32_t i = 0; i < param_count; ++i) param_values[i] = tool.params[i].default_value;

    wchar_t report[SELFTEST_REPORT_CAPACITY] = {0};
    wchar_t verdict[SELFTEST_VERDICT_CAPACITY] = {0};
    int32_t level = 0;
    // The DETAIL line is built from the report text itself: no detail copy.
    evaluate_tool(tool, param_values, report, SELFTEST_REPORT_CAPACITY,
                  verdict, SELFTEST_VERDICT_CAPACITY, &level, nullptr, 0);

    text_format(report_file, capacity, L"TOOL|%d|%ls|%ls\r\n",
                static_cast<int>(tool.id), or_empty(tool.name), or_empty(tool.category));

    wchar_t level_line[LEVEL_LINE_CAPACITY];
    text_format(level_line, LEVEL_LINE_CAPACITY, L"LEVEL|%d\r\n", static_cast<int>(level));
    text_append(report_file, capacity, level_line);

    int32_t errors = 0;
    if (tool.report_kind != 0) {
        text_append(report_file, capacity, REPORT_KIND_OUT_LINE);
    } else {
        // Every output at 0: the OUT lines show each formula on the defaults
        // alone, not fed by the outputs before it.
        const double earlier_outputs[MAX_OUTPUTS] = {};
        for (int32_t i = 0; i < output_count; ++i) {
            const OutputSpec& output = tool.outputs[i];
            int32_t error = 0;
            const double value = evaluate_formula(tool, output.formula, param_values,
                                                  earlier_outputs, &error);
            if (error != 0) ++errors;

            wchar_t value_text[VALUE_TEXT_CAPACITY];
            format_value(output.format, value, value_text, VALUE_TEXT_CAPACITY);

            wchar_t out_line[OUT_LINE_CAPACITY];
            text_format(out_line, OUT_LINE_CAPACITY, L"OUT|%ls|%ls|%ls\r\n",
                        or_empty(output.label), value_text, or_empty(output.unit));
            text_append(report_file, capacity, out_line);
        }
    }

    text_append(report_file, capacity, L"VERDICT|");
    text_append(report_file, capacity, verdict);
    text_append(report_file, capacity, L"\r\n");

    text_append(report_file, capacity, L"DETAIL|");
    append_flattened(report_file, capacity, report);
    text_append(report_file, capacity, L"\r\n");

    wchar_t errors_line[ERRORS_LINE_CAPACITY];
    text_format(errors_line, ERRORS_LINE_CAPACITY, L"ERRORS|%d\r\n", static_cast<int>(errors));
    text_append(report_file, capacity, errors_line);

    return errors;
}

int32_t run_selftest(const wchar_t* path) {
    static wchar_t report_file[REPORT_FILE_CAPACITY];
    report_file[0] = 0;
    const int32_t errors = build_selftest_report(current_tool(), report_file, REPORT_FILE_CAPACITY);
    // A report that did not reach the disk whole must not pass for a run
    // that did: the caller would read an empty or missing file as success.
    if (!write_utf8_file(path, report_file)) return EXIT_SELFTEST_NOT_WRITTEN;
    return errors > 0 ? EXIT_SELFTEST_ERRORS : EXIT_SELFTEST_OK;
}
