// The constant tool record: what a tool is called, which numbers it takes,
// what it computes and how, which verdict follows, or which built-in report
// it produces instead. Tool records are static data, never copied, changed
// or freed; every text in them lives as long as the program.
#pragma once

#include <cstdint>

// A tool has at most this many parameters and this many outputs; every
// holder of parameter or output values has room for this many doubles.
constexpr int32_t MAX_PARAMETERS = 16;
constexpr int32_t MAX_OUTPUTS = 16;

struct ParameterSpec {
    const char* key;        // the name formulas use; narrow ASCII
    const wchar_t* label;   // shown beside the input field
    const wchar_t* unit;    // may be null or empty
    double default_value;   // shown at start and after a reset; the self-test's input
};

struct OutputSpec {
    const char* key;        // the name later formulas and conditions use
    const wchar_t* label;   // label of the report line and the OUT line
    const wchar_t* unit;    // may be null or empty
    const char* formula;    // the formula that computes the output
    const char* format;     // format code for format_value; null means "f2"
};

struct LevelRule {
    const char* condition;  // never null; the empty text always matches
    int32_t level;          // the level the rule gives
    const wchar_t* verdict; // never null
};

// 0: a formula tool; 1 to 11: a built-in report generator; any other value
// gives a fixed notice.
using ReportKind = int32_t;

struct ToolDefinition {
    int32_t id;
    const wchar_t* name;
    const wchar_t* subtitle;   // may be null
    const wchar_t* category;
    const wchar_t* reference;
    const wchar_t* note;       // may be null
    int32_t param_count;       // 0 to MAX_PARAMETERS
    const ParameterSpec* params;
    int32_t output_count;      // 0 to MAX_OUTPUTS
    const OutputSpec* outputs;
    int32_t rule_count;
    const LevelRule* rules;
    ReportKind report_kind;
};
