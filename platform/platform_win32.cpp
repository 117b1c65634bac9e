// The Win32 side of the seam: each function is one system call, with the
// arguments the program always passes to it.
#include "platform/platform.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

// Room for a widened open mode, terminator included: "rb", "wb", "ab" and
// their "+" forms fit.
constexpr int32_t MODE_CAPACITY = 8;

}  // namespace

const wchar_t* platform_command_line() { return GetCommandLineW(); }

// Windows hands the command line to GetCommandLineW; nothing to keep.
void platform_set_arguments(int, char**) {}

LocalTime platform_local_time() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

int32_t platform_to_utf8(const wchar_t* text, char* out, int32_t capacity) {
    // A capacity of 0 would make WideCharToMultiByte report the size it
    // needs instead of converting: refuse it here.
    if (text == nullptr || out == nullptr || capacity <= 0) return 0;
    const int written = WideCharToMultiByte(CP_UTF8, 0, text, -1, out, capacity, nullptr, nullptr);
    if (written <= 0) {
        out[0] = 0;  // a cut conversion may have left bytes: leave nothing that reads as a result
        return 0;
    }
    return written;
}

bool platform_create_directory(const wchar_t* path) {
    if (path == nullptr || path[0] == 0) return false;
    if (CreateDirectoryW(path, nullptr)) return true;
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

FILE* platform_open_file(const wchar_t* path, const char* mode) {
    if (path == nullptr || path[0] == 0 || mode == nullptr) return nullptr;
    wchar_t wide_mode[MODE_CAPACITY];
    int32_t i = 0;
    for (; mode[i] != 0; ++i) {
        const unsigned char c = static_cast<unsigned char>(mode[i]);
        if (i >= MODE_CAPACITY - 1 || c >= 0x80) return nullptr;  // modes are short ASCII
        wide_mode[i] = static_cast<wchar_t>(c);
    }
    wide_mode[i] = 0;
    return _wfopen(path, wide_mode);
}
