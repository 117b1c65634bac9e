// Wide text to a UTF-8 file without a byte-order mark.
#include "app/app.h"

#include <cstdint>
#include <cstdio>

#include "platform/platform.h"

namespace {

// The longest text written here is the self-test report: 16384 wide
// characters with the terminator. Each wide character takes at most 3 UTF-8
// bytes where wchar_t is UTF-16 (a surrogate pair, two characters, takes 4)
// and at most 4 where it is UTF-32. The buffer holds the whole report, so a
// long report (a rota of 40 nurses over 31 days) is written whole instead of
// leaving an empty file.
constexpr int32_t UTF8_FILE_MAX_CHARACTERS = 16384;
constexpr int32_t UTF8_BYTES_PER_CHARACTER = sizeof(wchar_t) == 2 ? 3 : 4;
constexpr int32_t UTF8_FILE_BUFFER_BYTES = UTF8_FILE_MAX_CHARACTERS * UTF8_BYTES_PER_CHARACTER + 1;

}  // namespace

bool write_utf8_file(const wchar_t* path, const wchar_t* text) {
    if (path == nullptr || text == nullptr) return false;
    // Opening first empties an earlier report at the path, so a run that
    // cannot write never leaves an old report standing in for its own.
    FILE* file = platform_open_file(path, "wb");
    if (file == nullptr) return false;

    static char bytes[UTF8_FILE_BUFFER_BYTES];
    const int32_t converted = platform_to_utf8(text, bytes, UTF8_FILE_BUFFER_BYTES);
    bool whole = converted > 0;
    if (whole) {
        const size_t length = static_cast<size_t>(converted - 1);  // without the terminator
        whole = fwrite(bytes, 1, length, file) == length;
    }
    const bool closed = fclose(file) == 0;
    return whole && closed;
}
