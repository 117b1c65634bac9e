// Program entry and the headless self-test: the command-line rule, the
// self-test report and the UTF-8 file writer. The two entry points
// (main_posix.cpp, main_win32.cpp) are thin: they take the command line,
// run the self-test when find_selftest_path finds the option, and otherwise
// open the window (Windows) or say that only the self-test runs (POSIX).
#pragma once

#include <cstdint>

#include "engine/tool.h"

// Room for the self-test report path: 519 characters and the terminator.
constexpr int32_t SELFTEST_PATH_CAPACITY = 520;

// Exit codes of the self-test.
constexpr int32_t EXIT_SELFTEST_OK = 0;
constexpr int32_t EXIT_SELFTEST_ERRORS = 2;        // at least one output failed
constexpr int32_t EXIT_SELFTEST_NOT_WRITTEN = 3;   // the report file could not be written whole

// Looks for the first "--selftest" anywhere in `command_line` (a plain,
// case-sensitive substring). When found, writes the report path into `path`
// (capacity SELFTEST_PATH_CAPACITY): after the option, spaces are skipped;
// a double quote starts a path that runs to the next double quote or the
// end; otherwise the path runs to the next space or the end; at most 519
// characters; "selftest.txt" when nothing was taken. Returns whether the
// option was found (path is then always set).
bool find_selftest_path(const wchar_t* command_line, wchar_t* path);

// Writes `text` to `path` as UTF-8 without a byte-order mark, replacing any
// earlier file. Returns true only when the file was opened, every byte was
// written and the file closed without error.
bool write_utf8_file(const wchar_t* path, const wchar_t* text);

// Builds the self-test report for `tool` at its defaults into `report_file`
// (capacity in wide characters) and returns the error count.
int32_t build_selftest_report(const ToolDefinition& tool, wchar_t* report_file, int32_t capacity);

// Runs the self-test on the catalogue's tool and writes the report to
// `path`. Returns 0 (all outputs computed), 2 (some failed) or 3 (the report
// file could not be written whole).
int32_t run_selftest(const wchar_t* path);
