// Bounded wide text. The formatter walks the wide format itself and hands
// each numeric conversion to the narrow snprintf, which is bounded and
// terminates on every C library; the ASCII it produces is widened here.
// Every text written is a prefix of the whole text: once a piece does not
// fit, nothing after it is written.
#include "engine/text.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace {

// Room for any one numeric conversion: a fixed-point double near DBL_MAX
// takes 309 digits before the point. A conversion longer than this is cut
// here, and the whole text counts as cut.
constexpr int32_t NUMBER_SCRATCH = 512;

// The output of one formatting call: writes up to capacity - 1 characters
// and remembers whether anything was dropped.
struct Writer {
    wchar_t* out;
    int32_t capacity;
    int32_t length;
    bool cut;
};

void put(Writer& w, wchar_t c) {
    if (w.cut) return;
    if (w.length < w.capacity - 1) {
        w.out[w.length++] = c;
    } else {
        w.cut = true;
    }
}

void put_repeated(Writer& w, wchar_t c, int32_t count) {
    for (int32_t i = 0; i < count && !w.cut; ++i) put(w, c);
}

// One parsed conversion: %[flags][width][.precision][length]conversion.
struct Conversion {
    bool left;           // '-'
    bool plus;           // '+'
    bool space;          // ' '
    bool alternate;      // '#'
    bool zero;           // '0'
    int32_t width;       // 0 when absent
    int32_t precision;   // -1 when absent
    int32_t length;      // one of the LENGTH_ values
    wchar_t kind;        // the conversion character
};

enum : int32_t { LENGTH_NONE, LENGTH_HH, LENGTH_H, LENGTH_L, LENGTH_LL, LENGTH_Z, LENGTH_J };

// Reads decimal digits, saturating so that a huge width cannot overflow.
int32_t read_count(const wchar_t*& p) {
    int32_t n = 0;
    while (*p >= L'0' && *p <= L'9') {
        if (n < 100000000) n = n * 10 + (*p - L'0');
        ++p;
    }
    return n;
}

// Pads `body` (narrow ASCII, `n` characters) to the conversion's width and
// writes it. Zero padding goes after the sign and any 0x prefix, and only
// where the body starts with a digit (never for inf or nan).
void put_padded_number(Writer& w, const Conversion& c, const char* body, int32_t n,
                       bool zero_allowed) {
    int32_t pad = c.width > n ? c.width - n : 0;
    if (c.left) {
        for (int32_t i = 0; i < n; ++i) put(w, static_cast<wchar_t>(static_cast<unsigned char>(body[i])));
        put_repeated(w, L' ', pad);
        return;
    }
    int32_t prefix = 0;
    if (prefix < n && (body[prefix] == '-' || body[prefix] == '+' || body[prefix] == ' ')) ++prefix;
    bool digits = prefix < n && body[prefix] >= '0' && body[prefix] <= '9';
    if (prefix + 1 < n && body[prefix] == '0' && (body[prefix + 1] == 'x' || body[prefix + 1] == 'X')) {
        prefix += 2;
    }
    bool zeros = c.zero && zero_allowed && pad > 0 && digits;
    if (!zeros) {
        put_repeated(w, L' ', pad);
        for (int32_t i = 0; i < n; ++i) put(w, static_cast<wchar_t>(static_cast<unsigned char>(body[i])));
        return;
    }
    for (int32_t i = 0; i < prefix; ++i) put(w, static_cast<wchar_t>(static_cast<unsigned char>(body[i])));
    put_repeated(w, L'0', pad);
    for (int32_t i = prefix; i < n; ++i) put(w, static_cast<wchar_t>(static_cast<unsigned char>(body[i])));
}

// Builds the narrow conversion "%[flags][.precision]ll<kind>" or
// "%[flags][.precision]<kind>"; the width is applied by put_padded_number.
void build_narrow_conversion(const Conversion& c, bool long_long, char* conversion, size_t conversion_size) {
    size_t i = 0;
    conversion[i++] = '%';
    if (c.plus) conversion[i++] = '+';
    if (c.space) conversion[i++] = ' ';
    if (c.alternate) conversion[i++] = '#';
    if (c.precision >= 0) {
        // A precision beyond the scratch gives a text that is cut anyway; the
        // cap keeps the C library's conversion on its stack (a huge
        // precision makes glibc take heap memory for its digits).
        const int32_t precision = c.precision < NUMBER_SCRATCH ? c.precision : NUMBER_SCRATCH;
        int written = std::snprintf(conversion + i, conversion_size - i, ".%d", static_cast<int>(precision));
        if (written > 0) i += static_cast<size_t>(written);
    }
    if (long_long) {
        conversion[i++] = 'l';
        conversion[i++] = 'l';
    }
    conversion[i++] = static_cast<char>(c.kind);
    conversion[i] = '\0';
}

// Writes the narrow number text; a text longer than the scratch counts as
// cut (its first part is written, then the writer stops).
void put_number_text(Writer& w, const Conversion& c, const char* scratch, int written,
                     bool zero_allowed) {
    if (written < 0) {
        w.cut = true;
        return;
    }
    if (written >= NUMBER_SCRATCH) {
        int32_t n = NUMBER_SCRATCH - 1;
        for (int32_t i = 0; i < n; ++i) put(w, static_cast<wchar_t>(static_cast<unsigned char>(scratch[i])));
        w.cut = true;
        return;
    }
    put_padded_number(w, c, scratch, written, zero_allowed);
}

void put_signed(Writer& w, const Conversion& c, long long value) {
    char conversion[32];
    char scratch[NUMBER_SCRATCH];
    build_narrow_conversion(c, true, conversion, sizeof conversion);
    int written = std::snprintf(scratch, sizeof scratch, conversion, value);
    put_number_text(w, c, scratch, written, c.precision < 0);
}

void put_unsigned(Writer& w, const Conversion& c, unsigned long long value) {
    char conversion[32];
    char scratch[NUMBER_SCRATCH];
    build_narrow_conversion(c, true, conversion, sizeof conversion);
    int written = std::snprintf(scratch, sizeof scratch, conversion, value);
    put_number_text(w, c, scratch, written, c.precision < 0);
}

void put_double(Writer& w, const Conversion& c, double value) {
    char conversion[32];
    char scratch[NUMBER_SCRATCH];
    build_narrow_conversion(c, false, conversion, sizeof conversion);
    int written = std::snprintf(scratch, sizeof scratch, conversion, value);
    put_number_text(w, c, scratch, written, true);
}

// Writes `count` characters from a text, padded with spaces to the width.
template <typename Char>
void put_text(Writer& w, const Conversion& c, const Char* text) {
    static const wchar_t NULL_TEXT[] = L"(null)";
    int32_t n = 0;
    if (text == nullptr) {
        const wchar_t* shown = NULL_TEXT;
        while (shown[n] != L'\0' && (c.precision < 0 || n < c.precision)) ++n;
        int32_t pad = c.width > n ? c.width - n : 0;
        if (!c.left) put_repeated(w, L' ', pad);
        for (int32_t i = 0; i < n; ++i) put(w, shown[i]);
        if (c.left) put_repeated(w, L' ', pad);
        return;
    }
    while (text[n] != 0 && (c.precision < 0 || n < c.precision)) ++n;
    int32_t pad = c.width > n ? c.width - n : 0;
    if (!c.left) put_repeated(w, L' ', pad);
    for (int32_t i = 0; i < n && !w.cut; ++i) {
        if constexpr (std::is_same_v<Char, char>) {
            put(w, static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
        } else {
            put(w, text[i]);
        }
    }
    if (c.left) put_repeated(w, L' ', pad);
}

void put_character(Writer& w, const Conversion& c, wchar_t ch) {
    int32_t pad = c.width > 1 ? c.width - 1 : 0;
    if (!c.left) put_repeated(w, L' ', pad);
    put(w, ch);
    if (c.left) put_repeated(w, L' ', pad);
}

// Parses one conversion after its '%'. Returns false for a conversion this
// formatter does not know (among them %n and %p, which it never serves).
bool parse_conversion(const wchar_t*& p, va_list& args, Conversion& c) {
    c = Conversion{false, false, false, false, false, 0, -1, LENGTH_NONE, L'\0'};
    for (;; ++p) {
        if (*p == L'-') c.left = true;
        else if (*p == L'+') c.plus = true;
        else if (*p == L' ') c.space = true;
        else if (*p == L'#') c.alternate = true;
        else if (*p == L'0') c.zero = true;
        else break;
    }
    if (*p == L'*') {
        ++p;
        int width = va_arg(args, int);
        if (width < 0) {
            c.left = true;
            c.width = width == INT32_MIN ? INT32_MAX : -width;
        } else {
            c.width = width;
        }
    } else {
        c.width = read_count(p);
    }
    if (*p == L'.') {
        ++p;
        if (*p == L'*') {
            ++p;
            int precision = va_arg(args, int);
            c.precision = precision < 0 ? -1 : precision;
        } else {
            c.precision = read_count(p);
        }
    }
    if (*p == L'h') {
        ++p;
        c.length = LENGTH_H;
        if (*p == L'h') {
            ++p;
            c.length = LENGTH_HH;
        }
    } else if (*p == L'l') {
        ++p;
        c.length = LENGTH_L;
        if (*p == L'l') {
            ++p;
            c.length = LENGTH_LL;
        }
    } else if (*p == L'z') {
        ++p;
        c.length = LENGTH_Z;
    } else if (*p == L'j') {
        ++p;
        c.length = LENGTH_J;
    }
    c.kind = *p;
    switch (c.kind) {
    case L'd': case L'i': case L'u': case L'x': case L'X': case L'c': case L's':
    case L'e': case L'E': case L'f': case L'F': case L'g': case L'G': case L'%':
        ++p;
        return true;
    default:
        return false;
    }
}

long long read_signed(va_list& args, int32_t length) {
    switch (length) {
    case LENGTH_HH: return static_cast<signed char>(va_arg(args, int));
    case LENGTH_H: return static_cast<short>(va_arg(args, int));
    case LENGTH_L: return va_arg(args, long);
    case LENGTH_LL: return va_arg(args, long long);
    case LENGTH_Z: return va_arg(args, std::make_signed_t<size_t>);
    case LENGTH_J: return va_arg(args, intmax_t);
    default: return va_arg(args, int);
    }
}

unsigned long long read_unsigned(va_list& args, int32_t length) {
    switch (length) {
    case LENGTH_HH: return static_cast<unsigned char>(va_arg(args, unsigned int));
    case LENGTH_H: return static_cast<unsigned short>(va_arg(args, unsigned int));
    case LENGTH_L: return va_arg(args, unsigned long);
    case LENGTH_LL: return va_arg(args, unsigned long long);
    case LENGTH_Z: return va_arg(args, size_t);
    case LENGTH_J: return va_arg(args, uintmax_t);
    default: return va_arg(args, unsigned int);
    }
}

}  // namespace

int32_t text_length(const wchar_t* text) {
    if (text == nullptr) return 0;
    int32_t n = 0;
    while (text[n] != L'\0') ++n;
    return n;
}

bool text_vformat(wchar_t* out, int32_t capacity, const wchar_t* format, va_list args) {
    if (out == nullptr || capacity < 1) return false;
    Writer w{out, capacity, 0, false};
    va_list ap;
    va_copy(ap, args);
    const wchar_t* p = format != nullptr ? format : L"";
    while (*p != L'\0' && !w.cut) {
        if (*p != L'%') {
            put(w, *p++);
            continue;
        }
        ++p;
        Conversion c;
        if (!parse_conversion(p, ap, c)) {
            // An unknown conversion: its argument type is unknown, so no
            // further argument can be read safely. The text ends here.
            w.cut = true;
            break;
        }
        switch (c.kind) {
        case L'%':
            put(w, L'%');
            break;
        case L'd': case L'i':
            put_signed(w, c, read_signed(ap, c.length));
            break;
        case L'u': case L'x': case L'X':
            put_unsigned(w, c, read_unsigned(ap, c.length));
            break;
        case L'c':
            // %c and %lc both arrive promoted to int (wint_t is unsigned
            // short on Windows, unsigned int on Linux).
            put_character(w, c, static_cast<wchar_t>(va_arg(ap, int)));
            break;
        case L's':
            if (c.length == LENGTH_L) {
                put_text(w, c, va_arg(ap, const wchar_t*));
            } else {
                put_text(w, c, va_arg(ap, const char*));
            }
            break;
        default:
            put_double(w, c, va_arg(ap, double));
            break;
        }
    }
    va_end(ap);
    out[w.length] = L'\0';
    return !w.cut;
}

bool text_format(wchar_t* out, int32_t capacity, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    bool fitted = text_vformat(out, capacity, format, args);
    va_end(args);
    return fitted;
}

bool text_append(wchar_t* text, int32_t capacity, const wchar_t* piece) {
    const wchar_t* p = piece != nullptr ? piece : L"";
    if (text == nullptr || capacity < 1) return *p == L'\0';
    // The current length, never read past the capacity: an unterminated
    // text counts as full and is terminated at its last place.
    int32_t n = 0;
    while (n < capacity && text[n] != L'\0') ++n;
    if (n == capacity) text[capacity - 1] = L'\0';
    if (n >= capacity - 1) return *p == L'\0';
    while (*p != L'\0' && n < capacity - 1) text[n++] = *p++;
    text[n] = L'\0';
    return *p == L'\0';
}

bool text_copy(wchar_t* out, int32_t capacity, const wchar_t* source) {
    if (out == nullptr || capacity < 1) return false;
    out[0] = L'\0';
    return text_append(out, capacity, source);
}

void append_line(wchar_t* text, int32_t capacity, const wchar_t* format, ...) {
    constexpr int32_t LINE_SCRATCH = 512;
    wchar_t line[LINE_SCRATCH];
    va_list args;
    va_start(args, format);
    text_vformat(line, LINE_SCRATCH, format, args);
    va_end(args);
    text_append(text, capacity, line);
    text_append(text, capacity, L"\r\n");
}
