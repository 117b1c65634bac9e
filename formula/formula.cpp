// The formula evaluator: one recursive-descent pass over the text per call.
// Each parsing function reads one level of the grammar, loosest first, and
// computes as it reads; nothing is built, cached or allocated. A failing step
// sets the sticky error flag, gives its own value (usually 0) and the parse
// goes on from where that step stopped.
#include "formula/formula.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

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

// Character classes, one bit each, for the 256 byte values.
constexpr uint8_t SPACE = 1;       // tab, line feed, carriage return, space only
constexpr uint8_t DIGIT = 2;       // 0 to 9
constexpr uint8_t NAME_START = 4;  // A to Z, a to z, _
constexpr uint8_t NAME_CHAR = 8;   // a name start or a digit

struct CharClasses {
    uint8_t of[256];
};

constexpr CharClasses make_char_classes() {
    CharClasses classes{};
    for (int c = 0; c < 256; ++c) {
        uint8_t bits = 0;
        if (c == '\t' || c == '\n' || c == '\r' || c == ' ') bits |= SPACE;  // not VT, not FF
        if (c >= '0' && c <= '9') bits |= DIGIT | NAME_CHAR;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') bits |= NAME_START | NAME_CHAR;
        classes.of[c] = bits;
    }
    return classes;
}

constexpr CharClasses CHAR_CLASSES = make_char_classes();
static_assert(CHAR_CLASSES.of[11] == 0 && CHAR_CLASSES.of[12] == 0, "VT and FF are no whitespace");
static_assert(CHAR_CLASSES.of[0] == 0 && CHAR_CLASSES.of[0xA0] == 0, "NUL and high bytes are nothing");

inline bool has_class(char c, uint8_t bits) {
    return (CHAR_CLASSES.of[static_cast<unsigned char>(c)] & bits) != 0;
}

inline bool is_space(char c) { return has_class(c, SPACE); }
inline bool is_digit(char c) { return has_class(c, DIGIT); }
inline bool is_name_start(char c) { return has_class(c, NAME_START); }
inline bool is_name_char(char c) { return has_class(c, NAME_CHAR); }

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
// Counts beyond the value holders' room are not trusted, nor any count
// beside a null table.
double variable_value(FormulaParser& p, const char* name, ptrdiff_t length) {
    const ToolDefinition& tool = *p.tool;
    const int32_t params = tool.params == nullptr ? 0
                           : tool.param_count < MAX_PARAMETERS ? tool.param_count : MAX_PARAMETERS;
    for (int32_t i = 0; i < params; ++i) {
        const char* key = tool.params[i].key;
        if (key == nullptr || key[0] != name[0] || !same_name(key, name, length)) continue;
        if (p.param_values == nullptr) break;
        return p.param_values[i];
    }
    const int32_t outputs = tool.outputs == nullptr ? 0
                            : tool.output_count < MAX_OUTPUTS ? tool.output_count : MAX_OUTPUTS;
    for (int32_t i = 0; i < outputs; ++i) {
        const char* key = tool.outputs[i].key;
        if (key == nullptr || key[0] != name[0] || !same_name(key, name, length)) continue;
        if (p.output_values == nullptr) break;
        return p.output_values[i];
    }
    p.error = 1;
    return 0.0;
}

// ---------------------------------------------------------------------------
// The grammar, loosest level first.
//
// Whitespace: every token is followed by a skip of the whitespace after it
// (numbers, names, ")" here; the operators by the unary level that reads
// the next operand), so every parsing function returns at a character that
// is not whitespace, and the levels look for their operators directly. The
// effect is the language's rule that whitespace may stand between any two
// tokens and inside none; skipping right after a token instead of before
// the next saves a test on every level each operand passes through.

double expression(FormulaParser& p);
double unary(FormulaParser& p);

// Consumes ")" and the whitespace after it; a missing one sets the error
// flag and consumes nothing.
inline void close_paren(FormulaParser& p) {
    if (*p.pos == ')') {
        ++p.pos;
        skip_space(p);
    } else {
        p.error = 1;
    }
}

// call = name "(" expression ["," expression] ")"
// The name and the whitespace after it are consumed; the position is at "(".
double call(FormulaParser& p, const char* name, ptrdiff_t length) {
    if (depth_exhausted(p)) return 0.0;
    ++p.pos;
    ++p.depth;
    const double first = expression(p);
    if (*p.pos == ',') {
        ++p.pos;
        const double second = expression(p);
        --p.depth;
        close_paren(p);
        return apply_binary(p, name, length, first, second);
    }
    --p.depth;
    close_paren(p);  // neither "," nor ")": a one-argument call
    return apply_unary(p, name, length, first);
}

// primary = number | name | call | "(" expression ")"
// The whitespace before it is skipped by unary.
inline double primary(FormulaParser& p) {
    const char c = *p.pos;
    if (is_name_start(c)) {
        const char* name = p.pos;
        ptrdiff_t length = 1;
        while (length < MAX_NAME_LENGTH && is_name_char(name[length])) ++length;
        p.pos += length;
        skip_space(p);
        if (*p.pos == '(') return call(p, name, length);
        return variable_value(p, name, length);
    }
    if (is_digit(c) || c == '.') {
        const NumberRead number = read_number(p.pos);
        if (number.length == 0) {  // a lone "."
            p.error = 1;
            return 0.0;
        }
        p.pos += number.length;
        skip_space(p);
        return number.value;
    }
    if (c == '(') {
        if (depth_exhausted(p)) return 0.0;
        ++p.pos;
        ++p.depth;
        const double value = expression(p);
        --p.depth;
        close_paren(p);
        return value;
    }
    // End of text, ")", ",", ":", bytes from 128 up, and every other byte.
    p.error = 1;
    return 0.0;
}

// unary = {"+"} ( "-" unary | "!" unary | primary )
// "+" is a loop; "-" and "!" recurse, one nesting level each, and apply to
// the operand right after them only, so they bind tighter than "^".
double negation(FormulaParser& p, char op);

double unary(FormulaParser& p) {
    for (;;) {
        skip_space(p);
        if (*p.pos != '+') break;
        ++p.pos;
    }
    const char c = *p.pos;
    if (c == '-' || c == '!') return negation(p, c);
    return primary(p);
}

// The rest of unary at "-" or "!", kept apart from the plain operand's path.
double negation(FormulaParser& p, char op) {
    if (depth_exhausted(p)) return 0.0;
    ++p.pos;
    ++p.depth;
    const double operand = unary(p);
    --p.depth;
    if (op == '-') return -operand;
    return operand == 0 ? 1.0 : 0.0;  // NaN is true, so !NaN is 0
}

// power = unary ["^" power]
// The exponent groups to the right: 2^3^2 is 2^(3^2). No domain test.
// The "^" branch is a function of its own so that the plain operand, read
// once per operand of every formula, stays a short inlined path.
double raise(FormulaParser& p, double base);

inline double power(FormulaParser& p) {
    const double base = unary(p);
    if (*p.pos != '^') return base;
    return raise(p, base);
}

// The rest of power after its base, at "^".
double raise(FormulaParser& p, double base) {
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
    double value = 0.0;
    char op = '\0';  // the operator before the operand; none for the first
    for (;;) {
        const double operand = power(p);
        if (op == '\0') {
            value = operand;
        } else if (op == '*') {
            value *= operand;
        } else {
            if (operand == 0) {
                p.error = 1;
                return 0.0;
            }
            value = op == '/' ? value / operand : std::fmod(value, operand);
        }
        op = *p.pos;
        if (op == '*') {
            if (p.pos[1] == '*') return value;
        } else if (op != '/' && op != '%') {
            return value;
        }
        ++p.pos;
    }
}

// additive = multiplicative {("+" | "-") multiplicative}
double additive(FormulaParser& p) {
    double value = 0.0;
    char op = '\0';  // the operator before the operand; none for the first
    for (;;) {
        const double operand = multiplicative(p);
        if (op == '\0') {
            value = operand;
        } else if (op == '+') {
            value += operand;
        } else {
            value -= operand;
        }
        op = *p.pos;
        if (op != '+' && op != '-') return value;
        ++p.pos;
    }
}

// The comparison operators, tested in this order; the two-character ones
// come first so that "<=" is not read as "<".
enum class Relation { NONE, LESS_EQUAL, GREATER_EQUAL, EQUAL, NOT_EQUAL, LESS, GREATER };

struct RelationSpelling {
    const char* text;
    Relation relation;
};

constexpr RelationSpelling RELATIONS[] = {
    {"<=", Relation::LESS_EQUAL},
    {">=", Relation::GREATER_EQUAL},
    {"==", Relation::EQUAL},
    {"!=", Relation::NOT_EQUAL},
    {"<", Relation::LESS},
    {">", Relation::GREATER},
};

// Consumes the comparison operator at the position, if there is one.
inline Relation read_relation(FormulaParser& p) {
    const char c = *p.pos;
    if (c != '<' && c != '>' && c != '=' && c != '!') return Relation::NONE;
    for (const RelationSpelling& r : RELATIONS) {
        if (r.text[0] != c) continue;
        if (r.text[1] != '\0' && r.text[1] != p.pos[1]) continue;
        p.pos += r.text[1] == '\0' ? 1 : 2;
        return r.relation;
    }
    return Relation::NONE;
}

// comparison = additive [("<=" | ">=" | "==" | "!=" | "<" | ">") additive]
// At most one comparison: a second operator is left over. Any comparison
// with a NaN is false except "!=", which is true.
double comparison(FormulaParser& p) {
    const double left = additive(p);
    const Relation relation = read_relation(p);
    if (relation == Relation::NONE) return left;
    const double right = additive(p);
    bool holds = false;
    switch (relation) {
        case Relation::LESS_EQUAL: holds = left <= right; break;
        case Relation::GREATER_EQUAL: holds = left >= right; break;
        case Relation::EQUAL: holds = left == right; break;
        case Relation::NOT_EQUAL: holds = left != right; break;
        case Relation::LESS: holds = left < right; break;
        case Relation::GREATER: holds = left > right; break;
        case Relation::NONE: break;
    }
    return holds ? 1.0 : 0.0;
}

// and = comparison {"&&" comparison}
// Both operands are always evaluated: no short-circuit.
double logical_and(FormulaParser& p) {
    double value = 0.0;
    bool first = true;
    for (;;) {
        const double operand = comparison(p);
        value = first ? operand : ((value != 0 && operand != 0) ? 1.0 : 0.0);
        first = false;
        if (p.pos[0] != '&' || p.pos[1] != '&') return value;
        p.pos += 2;
    }
}

// or = and {"||" and}
// Both operands are always evaluated: no short-circuit.
double logical_or(FormulaParser& p) {
    double value = 0.0;
    bool first = true;
    for (;;) {
        const double operand = logical_and(p);
        value = first ? operand : ((value != 0 || operand != 0) ? 1.0 : 0.0);
        first = false;
        if (p.pos[0] != '|' || p.pos[1] != '|') return value;
        p.pos += 2;
    }
}

// expression = or ["?" expression ":" expression]
// Both branches are always evaluated, so a fault in the branch not chosen
// still fails the formula. A missing ":" sets the error flag, consumes
// nothing, and the else-branch is read from where the then-branch stopped.
double expression(FormulaParser& p) {
    const double condition = logical_or(p);
    if (*p.pos != '?') return condition;
    if (depth_exhausted(p)) return 0.0;
    ++p.pos;
    ++p.depth;
    const double then_value = expression(p);
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
