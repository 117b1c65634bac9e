// The POSIX side of the seam. The native build has no Win32: the command
// line is rebuilt from main's arguments the way Windows would show it, and
// text crosses to the file system as UTF-8 through our own coder, which
// follows the rules of WideCharToMultiByte(CP_UTF8, 0) so that both builds
// write the same bytes.
#include "platform/platform.h"

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/stat.h>
#include <sys/types.h>

namespace {

// Room for the rebuilt command line, terminator included: the Windows
// limit of a command line. Longer argument lists are cut at capacity - 1.
constexpr int32_t COMMAND_LINE_CAPACITY = 32768;

// Room for one UTF-8 path handed to the file system, terminator included.
constexpr int32_t PATH_BYTES_CAPACITY = 8192;

constexpr uint32_t REPLACEMENT_CHARACTER = 0xFFFD;

wchar_t command_line_text[COMMAND_LINE_CAPACITY] = {0};

// glibc loads the time-zone file, with heap memory, on the first local-time
// conversion. Loading it once at start-up keeps every later clock read (the
// follow-up plan, the record time stamp) free of the heap.
struct TimeZoneLoader {
    TimeZoneLoader() { tzset(); }
};
const TimeZoneLoader time_zone_loader;

// The command line being rebuilt: appends stop at capacity - 1, the text
// stays terminated after every step.
struct LineWriter {
    wchar_t* text;
    int32_t capacity;
    int32_t length;
};

void put_character(LineWriter& line, uint32_t code_point) {
    if (line.length >= line.capacity - 1) return;
    line.text[line.length] = static_cast<wchar_t>(code_point);
    line.length += 1;
    line.text[line.length] = 0;
}

bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one UTF-8 character at `bytes`, returns how many bytes it took
// (at least 1) and writes the code point. A malformed sequence gives
// U+FFFD and takes its maximal valid prefix (a lone bad byte takes one),
// so the next character starts where a fresh decode would resync.
int32_t decode_utf8(const unsigned char* bytes, uint32_t* code_point) {
    const unsigned char lead = bytes[0];
    if (lead < 0x80) {
        *code_point = lead;
        return 1;
    }
    int32_t count = 0;      // continuation bytes needed
    uint32_t value = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 1; value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 2; value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;        // no overlong forms
        if (lead == 0xED) high = 0x9F;       // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 3; value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;        // no overlong forms
        if (lead == 0xF4) high = 0x8F;       // nothing above U+10FFFF
    } else {
        *code_point = REPLACEMENT_CHARACTER;
        return 1;
    }
    for (int32_t i = 1; i <= count; ++i) {
        const unsigned char byte = bytes[i];   // a terminator stops here: it is no continuation
        const bool fits = (i == 1) ? (byte >= low && byte <= high) : is_continuation(byte);
        if (!fits) {
            *code_point = REPLACEMENT_CHARACTER;
            return i;
        }
        value = (value << 6) | (byte & 0x3F);
    }
    *code_point = value;
    return count + 1;
}

void put_utf8_argument(LineWriter& line, const char* argument) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(argument);
    while (*bytes != 0) {
        uint32_t code_point = 0;
        bytes += decode_utf8(bytes, &code_point);
        put_character(line, code_point);
    }
}

bool needs_quotes(const char* argument) {
    if (argument[0] == 0) return true;  // Windows shows an empty argument as ""
    for (const char* c = argument; *c != 0; ++c) {
        if (*c == ' ') return true;
    }
    return false;
}

// The code point a wide character stands for, U+FFFD for one that is no
// Unicode scalar value (a surrogate half, a value past U+10FFFF).
uint32_t scalar_value(wchar_t character) {
    const uint32_t value = static_cast<uint32_t>(character);
    if (value >= 0xD800 && value <= 0xDFFF) return REPLACEMENT_CHARACTER;
    if (value > 0x10FFFF) return REPLACEMENT_CHARACTER;
    return value;
}

int32_t utf8_length(uint32_t code_point) {
    if (code_point < 0x80) return 1;
    if (code_point < 0x800) return 2;
    if (code_point < 0x10000) return 3;
    return 4;
}

}  // namespace

void platform_set_arguments(int argc, char** argv) {
    LineWriter line{command_line_text, COMMAND_LINE_CAPACITY, 0};
    command_line_text[0] = 0;
    if (argv == nullptr) return;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (argument == nullptr) break;
        if (i > 0) put_character(line, ' ');
        const bool quoted = needs_quotes(argument);
        if (quoted) put_character(line, '"');
        put_utf8_argument(line, argument);
        if (quoted) put_character(line, '"');
    }
}

const wchar_t* platform_command_line() { return command_line_text; }

LocalTime platform_local_time() {
    const time_t now = time(nullptr);
    struct tm parts = {};
    if (localtime_r(&now, &parts) == nullptr) return LocalTime{1970, 1, 1, 0, 0, 0};
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                     parts.tm_hour, parts.tm_min, parts.tm_sec};
}

int32_t platform_to_utf8(const wchar_t* text, char* out, int32_t capacity) {
    if (text == nullptr || out == nullptr || capacity <= 0) return 0;
    int32_t used = 0;
    for (const wchar_t* c = text;; ++c) {
        const uint32_t code_point = scalar_value(*c);
        const int32_t length = utf8_length(code_point);
        if (length > capacity - used) {
            out[0] = 0;  // the text does not fit: leave nothing that reads as a result
            return 0;
        }
        unsigned char* at = reinterpret_cast<unsigned char*>(out + used);
        switch (length) {
            case 1:
                at[0] = static_cast<unsigned char>(code_point);
                break;
            case 2:
                at[0] = static_cast<unsigned char>(0xC0 | (code_point >> 6));
                at[1] = static_cast<unsigned char>(0x80 | (code_point & 0x3F));
                break;
            case 3:
                at[0] = static_cast<unsigned char>(0xE0 | (code_point >> 12));
                at[1] = static_cast<unsigned char>(0x80 | ((code_point >> 6) & 0x3F));
                at[2] = static_cast<unsigned char>(0x80 | (code_point & 0x3F));
                break;
            default:
                at[0] = static_cast<unsigned char>(0xF0 | (code_point >> 18));
                at[1] = static_cast<unsigned char>(0x80 | ((code_point >> 12) & 0x3F));
                at[2] = static_cast<unsigned char>(0x80 | ((code_point >> 6) & 0x3F));
                at[3] = static_cast<unsigned char>(0x80 | (code_point & 0x3F));
                break;
        }
        used += length;
        if (*c == 0) return used;
    }
}

bool platform_create_directory(const wchar_t* path) {
    char bytes[PATH_BYTES_CAPACITY];
    if (platform_to_utf8(path, bytes, PATH_BYTES_CAPACITY) <= 1) return false;
    if (mkdir(bytes, 0777) == 0) return true;
    return errno == EEXIST;
}

FILE* platform_open_file(const wchar_t* path, const char* mode) {
    if (mode == nullptr) return nullptr;
    char bytes[PATH_BYTES_CAPACITY];
    if (platform_to_utf8(path, bytes, PATH_BYTES_CAPACITY) <= 1) return nullptr;
    return fopen(bytes, mode);
}
