// The self-test option and its report path, read from the whole command
// line as the system shows it (program path included).
#include "app/app.h"

#include <cstdint>

namespace {

constexpr wchar_t SELFTEST_OPTION[] = L"--selftest";
constexpr int32_t SELFTEST_OPTION_LENGTH = 10;
constexpr wchar_t DEFAULT_REPORT_PATH[] = L"selftest.txt";

static_assert(sizeof(SELFTEST_OPTION) / sizeof(wchar_t) == SELFTEST_OPTION_LENGTH + 1,
              "the option is ten characters");
static_assert(SELFTEST_PATH_CAPACITY == 520, "519 path characters and the terminator");

// The first occurrence of the option as a plain substring, or null. Token
// boundaries play no part: inside the program path or glued to more text
// counts too.
const wchar_t* find_option(const wchar_t* text) {
    for (const wchar_t* at = text; *at != 0; ++at) {
        int32_t matched = 0;
        while (matched < SELFTEST_OPTION_LENGTH && at[matched] == SELFTEST_OPTION[matched]) {
            ++matched;
        }
        if (matched == SELFTEST_OPTION_LENGTH) return at;
    }
    return nullptr;
}

}  // namespace

bool find_selftest_path(const wchar_t* command_line, wchar_t* path) {
    if (command_line == nullptr) return false;
    const wchar_t* option = find_option(command_line);
    if (option == nullptr) return false;

    const wchar_t* at = option + SELFTEST_OPTION_LENGTH;
    while (*at == L' ') ++at;  // spaces only; a tab starts the path

    wchar_t stop = L' ';
    if (*at == L'"') {
        stop = L'"';
        ++at;
    }
    int32_t taken = 0;
    while (at[taken] != 0 && at[taken] != stop && taken < SELFTEST_PATH_CAPACITY - 1) {
        path[taken] = at[taken];
        ++taken;
    }
    path[taken] = 0;

    if (taken == 0) {
        int32_t i = 0;
        for (; DEFAULT_REPORT_PATH[i] != 0; ++i) path[i] = DEFAULT_REPORT_PATH[i];
        path[i] = 0;
    }
    return true;
}
