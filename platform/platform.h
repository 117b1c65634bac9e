// The seam: the few operating-system services the portable code needs.
// One implementation for Win32 (platform_win32.cpp) and one for POSIX
// (platform_posix.cpp). Nothing else in the portable code calls the system.
#pragma once

#include <cstdint>
#include <cstdio>

struct LocalTime {
    int32_t year;
    int32_t month;   // 1 to 12
    int32_t day;     // 1 to 31
    int32_t hour;
    int32_t minute;
    int32_t second;
};

// The whole command line as one wide text, program path included. Windows:
// GetCommandLineW. POSIX: the arguments given to platform_set_arguments,
// joined by spaces, an argument holding a space in double quotes.
const wchar_t* platform_command_line();

// POSIX only: keeps main's arguments (UTF-8) for platform_command_line.
void platform_set_arguments(int argc, char** argv);

// The local date and time now.
LocalTime platform_local_time();

// Converts the whole terminated `text` to UTF-8, terminator included, into
// `out` of `capacity` bytes. Returns the number of bytes written, the
// terminator included, or 0 when the text does not fit (nothing usable is
// written then). Characters that are not valid UTF-16 / Unicode scalar
// values become U+FFFD, as WideCharToMultiByte does without flags.
int32_t platform_to_utf8(const wchar_t* text, char* out, int32_t capacity);

// Creates one directory. Returns true when it was made or already exists.
bool platform_create_directory(const wchar_t* path);

// Opens a file by wide path in mode "rb", "wb" or "ab" (byte mode, no line
// end translation). Returns null when it cannot be opened.
FILE* platform_open_file(const wchar_t* path, const char* mode);
