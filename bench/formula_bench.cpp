// The formula evaluator beside muparser, on the catalogue's formula and
// condition and a few formulas that exercise calls, the power operator, the
// logical operators, the conditional and a long text.
//
// Three rows per formula:
//   ours/NAME    evaluate_formula: reads the text again on every call.
//   mup_a/NAME   muparser SetExpr + Eval on every call: the same work ours
//                does (parse and compute).
//   mup_b/NAME   muparser Eval of an expression parsed once: its best case,
//                the compiled byte code alone.
// Before any timing both evaluators compute every formula once and the
// values are compared, so the rows measure the same computation.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "catalogue/catalogue.h"
#include "formula/formula.h"

namespace {

struct BenchFormula {
    const char* name;
    const char* text;
};

// The catalogue's output formula and rule condition first.
constexpr BenchFormula FORMULAS[] = {
    {"catalogue_output", "glu*5+aa*8+na*2"},
    {"catalogue_condition", "glu*5+aa*8+na*2>900"},
    {"min_max", "min(1,2)+max(3,4)*2"},
    {"sqrt_log10_power", "sqrt(glu)*log10(aa)+2^3^2"},
    {"logic_conditional", "(glu>50 && aa<60) ? glu*5 : na*2"},
    {"long_208",
     "(glu*5+aa*8+na*2)/3+sqrt(glu*glu+aa*aa)-max(glu,aa)*min(na,2)+abs(glu-aa)*0.5"
     "+((glu>aa&&na<50)?log10(glu):exp(1))+(na/3)^2-(aa/7)*(glu/9)"
     "+sqrt(abs(na-glu))*(-1.5)+((aa>=40||glu<=10)?2:4)+min(glu,na)/max(aa,1)"},
};

// The catalogue's defaults: glu 100, aa 40, na 40; the output osm reads 0.
struct Values {
    double params[16] = {100, 40, 40};
    double outputs[16] = {};
};

// A muparser with the catalogue's three parameters defined.
struct MuParser {
    double glu = 100, aa = 40, na = 40;
    mu::Parser parser;
    MuParser() {
        parser.DefineVar("glu", &glu);
        parser.DefineVar("aa", &aa);
        parser.DefineVar("na", &na);
    }
};

void ours(benchmark::State& state, const char* text) {
    const ToolDefinition& tool = current_tool();
    Values values;
    int32_t error = 0;
    for (auto _ : state) {
        double value = evaluate_formula(tool, text, values.params, values.outputs, &error);
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(error);
    }
    if (error != 0) state.SkipWithError("evaluate_formula reported an error");
}

void muparser_parse_each_call(benchmark::State& state, const char* text) {
    MuParser mu;
    for (auto _ : state) {
        mu.parser.SetExpr(text);
        double value = mu.parser.Eval();
        benchmark::DoNotOptimize(value);
    }
}

void muparser_parsed_once(benchmark::State& state, const char* text) {
    MuParser mu;
    mu.parser.SetExpr(text);
    mu.parser.Eval();  // parses and compiles
    for (auto _ : state) {
        double value = mu.parser.Eval();
        benchmark::DoNotOptimize(value);
    }
}

// Both evaluators must agree on every formula before any figure means much.
bool values_agree() {
    bool agree = true;
    Values values;
    for (const BenchFormula& f : FORMULAS) {
        int32_t error = 0;
        double a = evaluate_formula(current_tool(), f.text, values.params, values.outputs, &error);
        MuParser mu;
        double b = 0;
        try {
            mu.parser.SetExpr(f.text);
            b = mu.parser.Eval();
        } catch (mu::Parser::exception_type& e) {
            std::fprintf(stderr, "muparser cannot read %s: %s\n", f.name, e.GetMsg().c_str());
            agree = false;
            continue;
        }
        if (error != 0 || !(std::fabs(a - b) <= 1e-9 * std::fmax(1.0, std::fabs(b)))) {
            std::fprintf(stderr, "%s: ours %.17g (error %d), muparser %.17g\n", f.name, a,
                         static_cast<int>(error), b);
            agree = false;
        }
    }
    return agree;
}

}  // namespace

int main(int argc, char** argv) {
    if (!values_agree()) {
        std::fprintf(stderr, "the evaluators disagree; no figures\n");
        return 1;
    }
    for (const BenchFormula& f : FORMULAS) {
        char name[96];
        std::snprintf(name, sizeof name, "ours/%s", f.name);
        benchmark::RegisterBenchmark(name, ours, f.text);
        std::snprintf(name, sizeof name, "mup_a/%s", f.name);
        benchmark::RegisterBenchmark(name, muparser_parse_each_call, f.text);
        std::snprintf(name, sizeof name, "mup_b/%s", f.name);
        benchmark::RegisterBenchmark(name, muparser_parsed_once, f.text);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
