// The engine, the evaluator and the self-test report take no heap memory:
// every call below runs inside an AllocationScope, which counts each call
// of the global allocation functions from any library, and must count none.
// The inputs are the largest and the strangest each routine accepts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

#include "alloc_counter.h"
#include "app/app.h"
#include "catalogue/catalogue.h"
#include "engine/engine.h"
#include "formula/formula.h"

namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double NAN_VALUE = std::numeric_limits<double>::quiet_NaN();

// Values that have broken formatters and converters elsewhere.
constexpr double STRANGE_VALUES[] = {
    0.0, -0.0, 1.0, -1.5, 2.9, 0.5, 900.0, 1e308, -1e308, 1.7976931348623157e308,
    5e-324, -5e-324, 1e79, 1e80, -1e80, 9.2233720368547758e18, 2147483647.0, 2147483648.0,
    -2147483648.0, -2147483649.0, 4294967296.0, 1e10, -1e10, 5.15e10 * 24, 2.3058430092136939e18,
    INF, -INF, NAN_VALUE, -NAN_VALUE,
};

struct FormulaCase {
    const char* name;
    std::string text;
};

std::string repeated(const char* piece, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += piece;
    return s;
}

// Formulas over the catalogue's keys, good and failing, with literals long
// enough to make a number converter want a buffer.
std::vector<FormulaCase> formula_cases() {
    return {
        {"CatalogueOutput", "glu*5+aa*8+na*2"},
        {"CatalogueCondition", "glu*5+aa*8+na*2>900"},
        {"Calls", "min(1,2)+max(3,4)*2+sqrt(glu)*log10(aa)+log(na)+exp(1)+floor(2.5)+ceil(2.5)"},
        {"MoreCalls", "round(-2.5)+cbrt(64)+sign(-3)+abs(-4)+pow(2,10)+mod(7,3)"},
        {"PowerChain", "2^3^2^0.5^-1"},
        {"Logic", "(glu>50 && aa<60) ? glu*5 : na*2 || !0 && 1 != 2 <= 3"},
        {"Conditionals", "1?2:3?4:5+0?2:0?4:5"},
        {"HexAndFraction", "0x1A+0X1.8p3+.5+5.+1e-3+1E+3"},
        {"LongDecimalLiteral", std::string(800, '7') + "." + std::string(800, '3') + "e-700"},
        {"LongHexLiteral", "0x" + std::string(600, 'f') + ".8p-2000"},
        {"LongZeroLiteral", "0." + std::string(2000, '0') + "1"},
        {"HugeLiteral", "1e999>1"},
        {"TinyLiteral", "1e-400+5e-324"},
        {"DivisionByZero", "1+8/0+5%0+mod(7,0)"},
        {"DomainErrors", "sqrt(-1)+log(0)+log10(-5)+pow(-8,1/3)"},
        {"UndefinedNames", "x+pi+e+SQRT(4)+min(3)+sqrt(4,5)+min(1,2,3)"},
        {"OverlongName", std::string(200, 'g') + "+1"},
        {"Leftovers", "1<2<3 ** = & | : , ) ("},
        {"BytesFrom128", "\x80\xff\xc3\xa9+1"},
        {"Whitespace", "1\t\r\n+\n2 \v+\f3"},
        {"DeepParentheses", std::string(2000, '(') + "1" + std::string(2000, ')')},
        {"DeepUnaryMinus", std::string(5000, '-') + "1"},
        {"DeepNot", std::string(5000, '!') + "0"},
        {"DeepPower", repeated("2^", 3000) + "1"},
        {"DeepCalls", repeated("sqrt(", 1000) + "4" + std::string(1000, ')')},
        {"DeepConditional", repeated("1?", 1000) + "1" + repeated(":0", 1000)},
        {"LongSum", repeated("glu*5+", 5000) + "0"},
        {"Empty", ""},
        {"Spaces", "    "},
    };
}

// A formula tool that reaches every format code, a failing output, an
// output without unit and rules that fail, match and give no verdict.
const ParameterSpec WIDE_PARAMS[] = {
    {"glu", L"葡萄糖浓度", L"g/L", 100}, {"aa", L"氨基酸浓度", L"g/L", 40}, {"na", L"钠浓度", L"mmol/L", 40},
    {"d", L"日", nullptr, 19782},
};
const OutputSpec WIDE_OUTPUTS[] = {
    {"osm", L"估算渗透压", L"mOsm/L", "glu*5+aa*8+na*2", "f0"},
    {"o1", L"一位", L"", "osm/7", "f1"},
    {"o2", L"两位", nullptr, "osm/7", nullptr},
    {"o3", L"三位", L"x", "osm/7", "f3"},
    {"oi", L"整数", L"x", "osm/7", "int"},
    {"op", L"百分比", L"%", "osm/7", "pct"},
    {"od", L"日期", L"", "d+osm", "date"},
    {"bad", L"失败", L"x", "1/0+glu", "f2"},
    {"big", L"巨大", L"x", "glu*1e306", "f0"},
    {"inf", L"无穷", L"x", "1e999", "f2"},
    {"other", L"其他", L"x", "glu", "zz"},
};
const LevelRule WIDE_RULES[] = {
    {"1/0", 3, L"不会匹配"},
    {"undefined_key", 3, L"不会匹配"},
    {"osm>100000", 2, L"高"},
    {"osm>0", 1, L""},
    {"", 0, L"可经外周静脉输注"},
};
const ToolDefinition WIDE_TOOL = {
    9001, L"宽工具", nullptr, L"测试", L"参考", nullptr,
    4, WIDE_PARAMS, 11, WIDE_OUTPUTS, 5, WIDE_RULES, 0,
};

// One report tool per kind, at the largest input its bounds allow.
struct ReportCase {
    const char* name;
    ReportKind kind;
    int32_t param_count;
    ParameterSpec params[4];
    double values[4];
};

const ReportCase REPORT_CASES[] = {
    {"Rota40x31", 1, 2, {{"nurses", L"n", nullptr, 0}, {"days", L"d", nullptr, 0}}, {40, 31}},
    {"Dosing30", 2, 3, {{"start", L"s", nullptr, 0}, {"interval", L"i", nullptr, 0}, {"times", L"t", nullptr, 0}},
     {22, 0.7, 30}},
    {"DosingEnormous", 2, 3,
     {{"start", L"s", nullptr, 0}, {"interval", L"i", nullptr, 0}, {"times", L"t", nullptr, 0}},
     {1e308, 1e308, 30}},
    {"DrawOrder", 3, 1, {{"kind", L"k", nullptr, 0}}, {2}},
    {"CriticalValues", 4, 1, {{"kind", L"k", nullptr, 0}}, {1}},
    {"HighAlert", 5, 1, {{"kind", L"k", nullptr, 0}}, {1}},
    {"Compatibility", 6, 2, {{"drugA", L"a", nullptr, 0}, {"drugB", L"b", nullptr, 0}}, {9, 2}},
    {"CompatibilityOutside", 6, 2, {{"drugA", L"a", nullptr, 0}, {"drugB", L"b", nullptr, 0}},
     {-2147483648.0, 1e300}},
    {"FollowUp20", 7, 3, {{"start", L"s", nullptr, 0}, {"gap", L"g", nullptr, 0}, {"times", L"t", nullptr, 0}},
     {2147483647.0, 2147483647.0, 20}},
    {"Checklist", 8, 0, {}, {}},
    {"Handover30", 9, 1, {{"beds", L"b", nullptr, 0}}, {30}},
    {"InfusionCard", 10, 4,
     {{"bed", L"b", nullptr, 0}, {"dose", L"d", nullptr, 0}, {"volume", L"v", nullptr, 0}, {"gtt", L"g", nullptr, 0}},
     {12, 1e308, -1e308, 1e308}},
    {"LabPanels", 11, 1, {{"panel", L"p", nullptr, 0}}, {2}},
    {"NoticeKind12", 12, 0, {}, {}},
    {"NoticeNegativeKind", -1, 0, {}, {}},
};

ToolDefinition report_tool(const ReportCase& c) {
    ToolDefinition tool{};
    tool.id = 9100 + c.kind;
    tool.name = L"报告";
    tool.category = L"测试";
    tool.reference = L"";
    tool.param_count = c.param_count;
    tool.params = c.params;
    tool.report_kind = c.kind;
    return tool;
}

constexpr ReportGenerator GENERATORS[] = {
    report_nurse_rota,       report_dosing_times,     report_draw_order,       report_critical_values,
    report_high_alert_drugs, report_drug_compatibility, report_follow_up,      report_safety_checklist,
    report_handover,         report_infusion_card,    report_lab_panels,
};
static_assert(sizeof(GENERATORS) / sizeof(GENERATORS[0]) == 11, "one generator per kind 1 to 11");

// Report capacities: the window's, the self-test's, the smallest allowed.
constexpr int32_t REPORT_CAPACITIES[] = {8192, 4096, 13};

wchar_t report_text[8192], verdict_text[512], detail_text[8192];

// The C library reads the time-zone file on its first local-time conversion
// in a process (an open file and its buffers: five allocations with glibc
// 2.36). That is the library's one-time set-up, not the generator's, so the
// tests that read the clock do one conversion before counting; every later
// clock read must allocate nothing.
void load_time_zone_once() {
    const time_t now = time(nullptr);
    struct tm parts;
    ASSERT_NE(localtime_r(&now, &parts), nullptr);
}

}  // namespace

TEST(AllocationCounter, SeesEveryAllocator) {
    // Proves that the scope can fail: each of these allocates.
    struct Probe {
        const char* name;
        void (*run)();
    };
    const Probe probes[] = {
        {"malloc", [] { void* volatile p = std::malloc(16); std::free(p); }},
        {"calloc", [] { void* volatile p = std::calloc(4, 4); std::free(p); }},
        {"realloc", [] { void* volatile p = std::realloc(nullptr, 16); std::free(p); }},
        {"new", [] { int* volatile p = new int(3); delete p; }},
        {"new[]", [] { int* volatile p = new int[8]; delete[] p; }},
        {"strdup inside libc", [] { char* volatile p = strdup("abc"); std::free(p); }},
        {"std::string", [] { std::string volatile_copy(100, 'x'); ASSERT_EQ(volatile_copy.size(), 100u); }},
    };
    for (const Probe& probe : probes) {
        AllocationScope scope;
        probe.run();
        EXPECT_GT(scope.allocations(), 0) << probe.name;
    }
}

TEST(NoHeap, EvaluateFormula) {
    const ToolDefinition& tool = current_tool();
    double params[MAX_PARAMETERS] = {100, 40, 40};
    const double outputs[MAX_OUTPUTS] = {};
    for (const FormulaCase& c : formula_cases()) {
        for (double glu : {100.0, NAN_VALUE, INF, -0.0, 1e308}) {
            params[0] = glu;
            int32_t error = -1;
            AllocationScope scope;
            evaluate_formula(tool, c.text.c_str(), params, outputs, &error);
            EXPECT_EQ(scope.allocations(), 0) << c.name << " glu=" << glu;
            EXPECT_TRUE(error == 0 || error == 1) << c.name;
        }
    }
    int32_t error = -1;
    AllocationScope scope;
    evaluate_formula(tool, nullptr, params, outputs, &error);
    EXPECT_EQ(scope.allocations(), 0) << "absent formula";
    EXPECT_EQ(error, 1);
}

TEST(NoHeap, EvaluateTool) {
    struct ToolCase {
        const char* name;
        const ToolDefinition* tool;
    };
    const ToolCase tools[] = {{"Catalogue", &current_tool()}, {"EveryFormatCode", &WIDE_TOOL}};
    for (const ToolCase& t : tools) {
        for (double v : STRANGE_VALUES) {
            double values[MAX_PARAMETERS];
            for (int32_t i = 0; i < MAX_PARAMETERS; ++i) values[i] = i < t.tool->param_count ? t.tool->params[i].default_value : 0;
            values[0] = v;
            for (int32_t report_capacity : {8192, 4096, 13}) {
                for (int32_t detail_capacity : {8192, 1}) {
                    int32_t level = -7;
                    AllocationScope scope;
                    evaluate_tool(*t.tool, values, report_text, report_capacity, verdict_text, 512, &level,
                                  detail_text, detail_capacity);
                    EXPECT_EQ(scope.allocations(), 0)
                        << t.name << " value " << v << " report capacity " << report_capacity;
                }
            }
        }
    }
}

TEST(NoHeap, FormatValue) {
    const char* codes[] = {nullptr, "f0", "f1", "f2", "f3", "int", "pct", "date", "", "F0", "zz"};
    for (const char* code : codes) {
        for (double v : STRANGE_VALUES) {
            for (int32_t capacity : {128, 80, 8, 2, 1}) {
                wchar_t text[128];
                AllocationScope scope;
                format_value(code, v, text, capacity);
                EXPECT_EQ(scope.allocations(), 0) << (code ? code : "(null)") << " " << v << " capacity " << capacity;
            }
        }
    }
}

TEST(NoHeap, TextFormatAndAppendLine) {
    const std::wstring long_text(3000, L'渗');
    struct Line {
        const char* name;
        void (*run)(wchar_t* out, int32_t capacity, const wchar_t* long_text);
    };
    const Line lines[] = {
        {"texts", [](wchar_t* o, int32_t c, const wchar_t* t) { text_format(o, c, L"%ls—— %ls|%-20ls|%.3ls", t, L"可经外周静脉输注", L"x", t); }},
        {"integers", [](wchar_t* o, int32_t c, const wchar_t*) { text_format(o, c, L"%d %5d %-5d %05d %+d %x %X %u %lld %02d %c %lc %%", -2147483647 - 1, 7, 7, 7, 7, 0xbeefu, 0xbeefu, 4294967295u, -9223372036854775807LL - 1, 3, L'A', L'日'); }},
        {"doubles", [](wchar_t* o, int32_t c, const wchar_t*) { text_format(o, c, L"%.0f %.2f %f %e %g %G %.17g %10.3f %.1f%%", 1e308, -1e308, 5e-324, 1e308, 1e-5, 2.5e6, 0.1, NAN_VALUE, INF); }},
        {"precision star", [](wchar_t* o, int32_t c, const wchar_t*) { text_format(o, c, L"%*.*f|%.*f", 300, 300, 1e308, 400, 1.0); }},
        {"huge precision", [](wchar_t* o, int32_t c, const wchar_t*) { text_format(o, c, L"%.100000f|%.*e|%.*g|%.*d", 1e308, 1000000, 0.1, 2147483647, 5e-324, 100000, 7); }},
        {"append_line", [](wchar_t* o, int32_t c, const wchar_t* t) { o[0] = 0; for (int i = 0; i < 40; ++i) append_line(o, c, L"%02d 床：%ls %.0f:00", i, t, 1e308); }},
        {"text_append", [](wchar_t* o, int32_t c, const wchar_t* t) { o[0] = 0; text_append(o, c, t); text_append(o, c, L"x"); text_copy(o, c, t); }},
    };
    for (const Line& line : lines) {
        for (int32_t capacity : {8192, 512, 2, 1}) {
            AllocationScope scope;
            line.run(report_text, capacity, long_text.c_str());
            EXPECT_EQ(scope.allocations(), 0) << line.name << " capacity " << capacity;
        }
    }
}

TEST(NoHeap, EveryGenerator) {
    load_time_zone_once();
    for (const ReportCase& c : REPORT_CASES) {
        const ToolDefinition tool = report_tool(c);
        for (int32_t capacity : REPORT_CAPACITIES) {
            {
                AllocationScope scope;
                generate_report(c.kind, tool, c.values, report_text, capacity, verdict_text, 512);
                EXPECT_EQ(scope.allocations(), 0) << c.name << " through generate_report, capacity " << capacity;
            }
            {
                int32_t level = 0;
                AllocationScope scope;
                evaluate_tool(tool, c.values, report_text, capacity, verdict_text, 512, &level, detail_text, 8192);
                EXPECT_EQ(scope.allocations(), 0) << c.name << " through evaluate_tool, capacity " << capacity;
            }
            if (c.kind >= 1 && c.kind <= 11 && c.kind != 7) {
                report_text[0] = verdict_text[0] = 0;
                AllocationScope scope;
                GENERATORS[c.kind - 1](tool, c.values, report_text, capacity, verdict_text, 512);
                EXPECT_EQ(scope.allocations(), 0) << c.name << " called directly, capacity " << capacity;
            }
        }
    }
}

TEST(NoHeap, EveryGeneratorWithStrangeValues) {
    const ParameterSpec keys[] = {
        {"nurses", L"", nullptr, 0}, {"days", L"", nullptr, 0}, {"start", L"", nullptr, 0},
        {"interval", L"", nullptr, 0}, {"times", L"", nullptr, 0}, {"kind", L"", nullptr, 0},
        {"drugA", L"", nullptr, 0}, {"drugB", L"", nullptr, 0}, {"gap", L"", nullptr, 0},
        {"beds", L"", nullptr, 0}, {"bed", L"", nullptr, 0}, {"dose", L"", nullptr, 0},
        {"volume", L"", nullptr, 0}, {"gtt", L"", nullptr, 0}, {"panel", L"", nullptr, 0},
    };
    ToolDefinition tool{};
    tool.name = L"报告";
    tool.category = L"测试";
    tool.reference = L"";
    tool.param_count = 15;
    tool.params = keys;
    for (ReportKind kind = 1; kind <= 11; ++kind) {
        if (kind == 7) continue;  // the clock read has its own test
        for (double v : STRANGE_VALUES) {
            double values[MAX_PARAMETERS];
            for (double& x : values) x = v;
            AllocationScope scope;
            generate_report(kind, tool, values, report_text, 8192, verdict_text, 512);
            EXPECT_EQ(scope.allocations(), 0) << "kind " << kind << " value " << v;
        }
    }
    for (double v : STRANGE_VALUES) {
        double values[MAX_PARAMETERS];
        for (double& x : values) x = v;
        AllocationScope scope;
        write_follow_up(tool, values, 19782, report_text, 8192, verdict_text, 512);
        write_follow_up(tool, values, DAY_NUMBER_MAX, report_text, 8192, verdict_text, 512);
        write_follow_up(tool, values, DAY_NUMBER_MIN, report_text, 8192, verdict_text, 512);
        EXPECT_EQ(scope.allocations(), 0) << "follow-up value " << v;
    }
}

TEST(NoHeap, FollowUpWithItsClockRead) {
    load_time_zone_once();
    const ReportCase& c = REPORT_CASES[8];
    ASSERT_EQ(c.kind, 7);
    const ToolDefinition tool = report_tool(c);
    for (int32_t capacity : REPORT_CAPACITIES) {
        report_text[0] = verdict_text[0] = 0;
        AllocationScope scope;
        report_follow_up(tool, c.values, report_text, capacity, verdict_text, 512);
        generate_report(7, tool, c.values, report_text, capacity, verdict_text, 512);
        EXPECT_EQ(scope.allocations(), 0) << "capacity " << capacity;
    }
}

TEST(NoHeap, FindSelftestPath) {
    const std::wstring long_path(3000, L'p');
    struct LineCase {
        const char* name;
        std::wstring line;
    };
    const LineCase lines[] = {
        {"NoOption", L"veltrane.exe"},
        {"OptionLast", L"veltrane.exe --selftest"},
        {"SpacesThenPath", L"veltrane.exe --selftest    out.txt more words"},
        {"QuotedPath", L"veltrane.exe --selftest \"a path with spaces.txt\" x"},
        {"UnterminatedQuoteLong", L"veltrane.exe --selftest \"unterminated " + long_path},
        {"LongPath", L"veltrane.exe --selftest " + long_path},
        {"GluedLongPath", L"veltrane.exe --selftest=" + long_path},
        {"OptionInProgramPath", L"C:\\--selftest\\veltrane.exe"},
        {"TabThenLongPath", L"--selftest\t" + long_path},
        {"Empty", L""},
    };
    for (const LineCase& c : lines) {
        wchar_t path[SELFTEST_PATH_CAPACITY];
        AllocationScope scope;
        find_selftest_path(c.line.c_str(), path);
        EXPECT_EQ(scope.allocations(), 0) << c.name;
    }
}

TEST(NoHeap, BuildSelftestReport) {
    static wchar_t file_text[16384];
    const ToolDefinition rota = report_tool(REPORT_CASES[0]);
    ParameterSpec rota_params[2] = {{"nurses", L"n", nullptr, 40}, {"days", L"d", nullptr, 31}};
    ToolDefinition rota_defaults = rota;
    rota_defaults.params = rota_params;
    struct ToolCase {
        const char* name;
        const ToolDefinition* tool;
    };
    const ToolCase tools[] = {{"Catalogue", &current_tool()}, {"EveryFormatCode", &WIDE_TOOL},
                              {"Rota40x31", &rota_defaults}};
    for (const ToolCase& t : tools) {
        for (int32_t capacity : {16384, 100, 1}) {
            AllocationScope scope;
            build_selftest_report(*t.tool, file_text, capacity);
            EXPECT_EQ(scope.allocations(), 0) << t.name << " capacity " << capacity;
        }
    }
}
