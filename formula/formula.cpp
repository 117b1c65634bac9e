// The formula evaluator: one recursive-descent pass over the text per call.
// Each parsing function reads one level of the grammar, loosest first, and
// computes as it reads; nothing is built, cached or allocated. A failing step
// sets the sticky error flag, gives its own value (usually 0) and the parse
// goes on from where that step stopped.
#include "formula/formula.h"

#include <cmath>
#include <cstddef>

#include "formula/number.h"

namespace {

// All state of one evaluation; a local of evaluate_formula.
struct FormulaParser {
    const ToolDefinition* tool;   // read only: the keys name the variables
    const double* param_values;   // one per parameter, in params order
    const double* output_values;  // one per output, in outputs order
    const char* pos;              // current position in the formula text
    int32_t error;                // 0 at the start, only ever set to 1
    int32_t depth;                // nesting levels now open, 0 to FORMULA_MAX_DEPTH
};

// Names collect at most this many characters (a 64-character buffer with
// its terminator in the language's terms); the rest stays in the text.
constexpr ptrdiff_t MAX_NAME_LENGTH = 63;

// ---------------------------------------------------------------------------
// Characters. Plain ASCII ranges, so no locale is consulted.

inline bool is_space(char c) {
    // Exactly tab, line feed, carriage return and space; not VT or FF.
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

inline bool is_name_start(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

inline bool is_name_char(char c) { return is_name_start(c) || is_digit(c); }

inline void skip_space(FormulaParser& p) {
    while (is_space(*p.pos)) ++p.pos;
}

// True when a name spelt by `length` characters at `name` equals `key`
// exactly (case-sensitive, whole key). A null key matches nothing.
inline bool same_name(const char* key, const char* name, ptrdiff_t length) {
    if (key == nullptr) return false;
    for (ptrdiff_t i = 0; i < length; ++i) {
        if (key[i] != name[i]) return false;  // also stops at the key's end
    }
    return key[length] == '\0';
}

// Nesting guard. Called where a construct would open one more level
// (before its opening character is consumed): when the bound is reached it
// sets the error flag and the caller gives 0 without consuming anything.
inline bool depth_exhausted(FormulaParser& p) {
    if (p.depth < FORMULA_MAX_DEPTH) return false;
    p.error = 1;
    return true;
}

// ---------------------------------------------------------------------------
// Function tables. The lookup goes by the number of arguments given, so a
// name found in the other table still fails.

// Which arguments a function refuses (error flag, value 0). NaN passes
// every domain test: the comparisons below are false for it.
enum class Domain { ANY, NOT_NEGATIVE, POSITIVE, NONZERO_SECOND };

struct UnaryFunction {
    const char* name;
    double (*apply)(double x);
    Domain domain;
};

struct BinaryFunction {
    const char* name;
    double (*apply)(double a, double b);
    Domain domain;
};

double fn_sqrt(double x) { return std::sqrt(x); }
double fn_abs(double x) { return std::fabs(x); }
double fn_log(double x) { return std::log(x); }
double fn_log10(double x) { return std::log10(x); }
double fn_exp(double x) { return std::exp(x); }
double fn_floor(double x) { return std::floor(x); }
double fn_ceil(double x) { return std::ceil(x); }
// Halves go up: round(2.5) is 3, round(-2.5) is -2.
double fn_round(double x) { return std::floor(x + 0.5); }
// Through pow with the double nearest one third, so 64 may give
// 3.9999999999999996; the sign is carried over from x.
double fn_cbrt(double x) { return std::copysign(std::pow(std::fabs(x), 0.3333333333333333), x); }
// 0 for zero and for NaN.
double fn_sign(double x) { return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0); }

// b whenever either argument is NaN.
double fn_min(double a, double b) { return a < b ? a : b; }
double fn_max(double a, double b) { return a > b ? a : b; }
double fn_pow(double a, double b) { return std::pow(a, b); }
double fn_mod(double a, double b) { return std::fmod(a, b); }

constexpr UnaryFunction UNARY_FUNCTIONS[] = {
    {"sqrt", fn_sqrt, Domain::NOT_NEGATIVE},
    {"abs", fn_abs, Domain::ANY},
    {"log", fn_log, Domain::POSITIVE},
    {"log10", fn_log10, Domain::POSITIVE},
    {"exp", fn_exp, Domain::ANY},
    {"floor", fn_floor, Domain::ANY},
    {"ceil", fn_ceil, Domain::ANY},
    {"round", fn_round, Domain::ANY},
    {"cbrt", fn_cbrt, Domain::ANY},
    {"sign", fn_sign, Domain::ANY},
};

constexpr BinaryFunction BINARY_FUNCTIONS[] = {
    {"min", fn_min, Domain::ANY},
    {"max", fn_max, Domain::ANY},
    {"pow", fn_pow, Domain::ANY},
    {"mod", fn_mod, Domain::NONZERO_SECOND},
};

// Applies the one-argument function named by `name`; an unknown name or a
// refused argument sets the error flag and gives 0.
double apply_unary(FormulaParser& p, const char* name, ptrdiff_t length, double x) {
    for (const UnaryFunction& f : UNARY_FUNCTIONS) {
        if (!same_name(f.name, name, length)) continue;
        const bool refused = (f.domain == Domain::NOT_NEGATIVE && x < 0) ||
                             (f.domain == Domain::POSITIVE && x <= 0);
        if (refused) break;
        return f.apply(x);
    }
    p.error = 1;
    return 0.0;
}

// Applies the two-argument function named by `name`, as apply_unary.
double apply_binary(FormulaParser& p, const char* name, ptrdiff_t length, double a, double b) {
    for (const BinaryFunction& f : BINARY_FUNCTIONS) {
        if (!same_name(f.name, name, length)) continue;
        if (f.domain == Domain::NONZERO_SECOND && b == 0) break;
        return f.apply(a, b);
    }
    p.error = 1;
    return 0.0;
}

// The value of the variable named by `name`: the first parameter with that
// key, else the first output with it; none sets the error flag and gives 0.
// Counts beyond the value holders' room are not trusted.
double variable_value(FormulaParser& p, const char* name, ptrdiff_t length) {
    const ToolDefinition& tool = *p.tool;
    const int32_t params = tool.param_count < MAX_PARAMETERS ? tool.param_count : MAX_PARAMETERS;
    for (int32_t i = 0; i < params; ++i) {
        if (same_name(tool.params[i].key, name, length)) {
            if (p.param_values == nullptr) break;
            return p.param_values[i];
        }
    }
    const int32_t outputs = tool.output_count < MAX_OUTPUTS ? tool.output_count : MAX_OUTPUTS;
    for (int32_t i = 0; i < outputs; ++i) {
        if (same_name(tool.outputs[i].key, name, length)) {
            if (p.output_values == nullptr) break;
            return p.output_values[i];
        }
    }
    p.error = 1;
    return 0.0;
}

// ---------------------------------------------------------------------------
// The grammar, loosest level first.

double expression(FormulaParser& p);
double unary(FormulaParser& p);

// Consumes `)` after whitespace; a missing one sets the error flag and
// consumes nothing.
inline void close_paren(FormulaParser& p) {
    skip_space(p);
    if (*p.pos == ')') {
        ++p.pos;
    } else {
        p.error = 1;
    }
}

// A full expression one nesting level deeper. The caller has checked the
// bound with depth_exhausted.
double nested_expression(FormulaParser& p) {
    ++p.depth;
    const double value = expression(p);
    --p.depth;
    return value;
}

// call = name "(" expression ["," expression] ")"
// `name` is already consumed and the position is at "(".
double call(FormulaParser& p, const char* name, ptrdiff_t length) {
    if (depth_exhausted(p)) return 0.0;
    ++p.pos;  // "("
    ++p.depth;
    const double first = expression(p);
    skip_space(p);
    if (*p.pos == ',') {
        ++p.pos;
        const double second = expression(p);
        --p.depth;
        close_paren(p);
        return apply_binary(p, name, length, first, second);
    }
    --p.depth;
    close_paren(p);
    return apply_unary(p, name, length, first);
}

// primary = number | name | call | "(" expression ")"
// Whitespace before it is already skipped by unary.
double primary(FormulaParser& p) {
    const char c = *p.pos;
    if (c == '(') {
        if (depth_exhausted(p)) return 0.0;
        ++p.pos;
        const double value = nested_expression(p);
        close_paren(p);
        return value;
    }
    if (is_digit(c) || c == '.') {
        const NumberRead number = read_number(p.pos);
        if (number.length == 0) {  // a lone "."
            p.error = 1;
            return 0.0;
        }
        p.pos += number.length;
        return number.value;
    }
    if (is_name_start(c)) {
        const char* name = p.pos;
        ptrdiff_t length = 1;
        while (length < MAX_NAME_LENGTH && is_name_char(name[length])) ++length;
        p.pos += length;
        skip_space(p);
        if (*p.pos == '(') return call(p, name, length);
        return variable_value(p, name, length);
    }
    // End of text, ")", ",", ":", bytes from 128 up, and every other byte.
    p.error = 1;
    return 0.0;
}

// unary = {"+"} ( "-" unary | "!" unary | primary )
// `+` is a loop; `-` and `!` recurse, one nesting level each, and apply to
// the operand right after them only, so they bind tighter than "^".
double unary(FormulaParser& p) {
    for (;;) {
        skip_space(p);
        if (*p.pos != '+') break;
        ++p.pos;
    }
    const char c = *p.pos;
    if (c == '-' || c == '!') {
        if (depth_exhausted(p)) return 0.0;
        ++p.pos;
        ++p.depth;
        const double operand = unary(p);
        --p.depth;
        if (c == '-') return -operand;
        return operand == 0 ? 1.0 : 0.0;  // NaN is true, so !NaN is 0
    }
    return primary(p);
}

// power = unary ["^" power]
// The exponent groups to the right: 2^3^2 is 2^(3^2). No domain test.
double power(FormulaParser& p) {
    const double base = unary(p);
    skip_space(p);
    if (*p.pos != '^') return base;
    if (depth_exhausted(p)) return 0.0;
    ++p.pos;
    ++p.depth;
    const double exponent = power(p);
    --p.depth;
    return std::pow(base, exponent);
}

// multiplicative = power {("*" | "/" | "%") power}
// "**" is no operator: the level ends before it and the "*" is left over.
// A divisor equal to 0 sets the error flag and ends the level at once with
// the value 0, the rest of the text left to the enclosing levels.
double multiplicative(FormulaParser& p) {
    double value = power(p);
    for (;;) {
        skip_space(p);
        const char op = *p.pos;
        if (op == '*') {
            if (p.pos[1] == '*') return value;
            ++p.pos;
            value *= power(p);
        } else if (op == '/' || op == '%') {
            ++p.pos;
            const double divisor = power(p);
            if (divisor == 0) {
                p.error = 1;
                return 0.0;
            }
            value = op == '/' ? value / divisor : std::fmod(value, divisor);
        } else {
            return value;
        }
    }
}

// additive = multiplicative {("+" | "-") multiplicative}
double additive(FormulaParser& p) {
    double value = multiplicative(p);
    for (;;) {
        skip_space(p);
        const char op = *p.pos;
        if (op == '+') {
            ++p.pos;
            value += multiplicative(p);
        } else if (op == '-') {
            ++p.pos;
            value -= multiplicative(p);
        } else {
            return value;
        }
    }
}

// comparison = additive [("<=" | ">=" | "==" | "!=" | "<" | ">") additive]
// At most one comparison: a second operator is left over. Any comparison
// with a NaN is false except "!=", which is true.
double comparison(FormulaParser& p) {
    const double left = additive(p);
    skip_space(p);
    const char c0 = *p.pos;
    const char c1 = c0 == '\0' ? '\0' : p.pos[1];
    if (c1 == '=') {
        if (c0 == '<') { p.pos += 2; return left <= additive(p) ? 1.0 : 0.0; }
        if (c0 == '>') { p.pos += 2; return left >= additive(p) ? 1.0 : 0.0; }
        if (c0 == '=') { p.pos += 2; return left == additive(p) ? 1.0 : 0.0; }
        if (c0 == '!') { p.pos += 2; return left != additive(p) ? 1.0 : 0.0; }
    }
    if (c0 == '<') { p.pos += 1; return left < additive(p) ? 1.0 : 0.0; }
    if (c0 == '>') { p.pos += 1; return left > additive(p) ? 1.0 : 0.0; }
    return left;
}

// and = comparison {"&&" comparison}
// Both operands are always evaluated: no short-circuit.
double logical_and(FormulaParser& p) {
    double value = comparison(p);
    for (;;) {
        skip_space(p);
        if (p.pos[0] != '&' || p.pos[1] != '&') return value;
        p.pos += 2;
        const double right = comparison(p);
        value = (value != 0 && right != 0) ? 1.0 : 0.0;
    }
}

// or = and {"||" and}
// Both operands are always evaluated: no short-circuit.
double logical_or(FormulaParser& p) {
    double value = logical_and(p);
    for (;;) {
        skip_space(p);
        if (p.pos[0] != '|' || p.pos[1] != '|') return value;
        p.pos += 2;
        const double right = logical_and(p);
        value = (value != 0 || right != 0) ? 1.0 : 0.0;
    }
}

// expression = or ["?" expression ":" expression]
// Both branches are always evaluated, so a fault in the branch not chosen
// still fails the formula. A missing ":" sets the error flag, consumes
// nothing, and the else-branch is read from where the then-branch stopped.
double expression(FormulaParser& p) {
    const double condition = logical_or(p);
    skip_space(p);
    if (*p.pos != '?') return condition;
    if (depth_exhausted(p)) return 0.0;
    ++p.pos;
    ++p.depth;
    const double then_value = expression(p);
    skip_space(p);
    if (*p.pos == ':') {
        ++p.pos;
    } else {
        p.error = 1;
    }
    const double else_value = expression(p);
    --p.depth;
    return condition != 0 ? then_value : else_value;  // NaN is true
}

}  // namespace

double evaluate_formula(const ToolDefinition& tool, const char* formula,
                        const double* param_values, const double* output_values,
                        int32_t* error) {
    int32_t ignored = 0;
    if (error == nullptr) error = &ignored;
    if (formula == nullptr || formula[0] == '\0') {
        *error = 1;
        return 0.0;
    }
    FormulaParser p{&tool, param_values, output_values, formula, 0, 0};
    const double value = expression(p);
    skip_space(p);
    const bool failed = *p.pos != '\0' || p.error != 0 || !std::isfinite(value);
    *error = failed ? 1 : 0;
    return value;
}
