// find_selftest_path on any command line. Input: pairs of bytes, each one
// UTF-16 code unit of the command line (NUL ends it). The result is
// compared with a plain reading of the rule: the first "--selftest" as a
// substring; after it spaces skipped; a double quote opens a path that runs
// to the next quote or the end, otherwise the path runs to the next space or
// the end; at most 519 characters; "selftest.txt" when nothing was taken.
#include <string>

#include "app/app.h"
#include "fuzz_input.h"

namespace {

bool expected_path(const std::wstring& line, std::wstring* path) {
    const size_t option = line.find(L"--selftest");
    if (option == std::wstring::npos) return false;
    size_t at = option + 10;
    while (at < line.size() && line[at] == L' ') ++at;
    std::wstring taken;
    if (at < line.size() && line[at] == L'"') {
        ++at;
        while (at < line.size() && line[at] != L'"' && taken.size() < 519) taken += line[at++];
    } else {
        while (at < line.size() && line[at] != L' ' && taken.size() < 519) taken += line[at++];
    }
    *path = taken.empty() ? std::wstring(L"selftest.txt") : taken;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring line;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (c == 0) break;
        line += c;
    }
    // The line on the heap at its exact size.
    wchar_t* text = new wchar_t[line.size() + 1];
    for (size_t i = 0; i < line.size(); ++i) text[i] = line[i];
    text[line.size()] = 0;

    WideBuffer path(SELFTEST_PATH_CAPACITY);
    const bool found = find_selftest_path(text, path.text);
    std::wstring expected;
    const bool expected_found = expected_path(line, &expected);
    FUZZ_CHECK(found == expected_found);
    if (found) {
        const int32_t length = path.terminated_length();
        FUZZ_CHECK(length >= 1 && length <= 519);
        FUZZ_CHECK(std::wstring(path.text) == expected);
    }
    delete[] text;
    return 0;
}
