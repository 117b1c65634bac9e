// The self-test option and its report path, case by case: where the option
// may stand, what is skipped after it, how the path ends and how long it
// may be.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/app.h"

namespace {

struct PathCase {
    const char* name;
    std::wstring command_line;
    bool found;
    std::wstring path;   // expected when found
};

TEST(FindSelftestPath, FollowsTheCommandLineRule) {
    const std::wstring p519(519, L'p');
    const std::wstring p520(520, L'p');
    const std::wstring p600(600, L'p');
    const PathCase cases[] = {
        {"no option", L"veltrane.exe", false, L""},
        {"empty command line", L"", false, L""},
        {"option in another case", L"veltrane.exe --SELFTEST out.txt", false, L""},
        {"option cut short", L"veltrane.exe --selftes out.txt", false, L""},
        {"single dash", L"veltrane.exe -selftest out.txt", false, L""},
        {"option last", L"veltrane.exe --selftest", true, L"selftest.txt"},
        {"option followed by spaces only", L"veltrane.exe --selftest    ", true, L"selftest.txt"},
        {"option followed by an empty pair of quotes", L"veltrane.exe --selftest \"\"", true,
         L"selftest.txt"},
        {"quotes right after the option", L"veltrane.exe --selftest\"\"", true, L"selftest.txt"},
        {"plain path", L"veltrane.exe --selftest out.txt", true, L"out.txt"},
        {"three spaces, out.txt, more words", L"veltrane.exe --selftest   out.txt and more words",
         true, L"out.txt"},
        {"quoted path with spaces", L"veltrane.exe --selftest \"C:\\ward reports\\day one.txt\" x",
         true, L"C:\\ward reports\\day one.txt"},
        {"quoted path after spaces", L"veltrane.exe --selftest   \"a b.txt\"", true, L"a b.txt"},
        {"unclosed quote runs to the end", L"veltrane.exe --selftest \"my report.txt --x", true,
         L"my report.txt --x"},
        {"quote inside a plain path is kept", L"veltrane.exe --selftest a\"b c", true, L"a\"b"},
        {"equals glued to the option", L"veltrane.exe --selftest=out.txt", true, L"=out.txt"},
        {"longer word starting with the option", L"veltrane.exe --selftesting", true, L"ing"},
        {"tab after the option is not skipped", L"veltrane.exe --selftest\tout.txt", true,
         L"\tout.txt"},
        {"tab after spaces starts the path", L"veltrane.exe --selftest  \tout.txt x", true,
         L"\tout.txt"},
        {"option inside the program path", L"C:\\a--selftest\\veltrane.exe", true,
         L"\\veltrane.exe"},
        {"option inside a quoted program path", L"\"C:\\x --selftest y\\veltrane.exe\" --other",
         true, L"y\\veltrane.exe\""},
        {"first occurrence wins", L"veltrane.exe --selftest one.txt --selftest two.txt", true,
         L"one.txt"},
        {"option glued to the program", L"veltrane.exe--selftest", true, L"selftest.txt"},
        {"Chinese path", L"veltrane.exe --selftest 报告.txt", true, L"报告.txt"},
        {"519 characters taken whole", L"v --selftest " + p519, true, p519},
        {"520 characters cut to 519", L"v --selftest " + p520, true, p519},
        {"600 characters cut to 519", L"v --selftest " + p600 + L" more", true, p519},
        {"quoted 600 characters cut to 519", L"v --selftest \"" + p600 + L"\"", true, p519},
    };
    for (const PathCase& c : cases) {
        wchar_t path[SELFTEST_PATH_CAPACITY + 8];
        for (wchar_t& w : path) w = L'#';
        const bool found = find_selftest_path(c.command_line.c_str(), path);
        ASSERT_EQ(found, c.found) << c.name;
        if (found) {
            EXPECT_EQ(std::wstring(path), c.path) << c.name;
        }
        for (int i = SELFTEST_PATH_CAPACITY; i < SELFTEST_PATH_CAPACITY + 8; ++i) {
            ASSERT_EQ(path[i], L'#') << c.name << ": wrote past the path capacity";
        }
    }
}

TEST(FindSelftestPath, AbsentCommandLineFindsNothing) {
    wchar_t path[SELFTEST_PATH_CAPACITY];
    EXPECT_FALSE(find_selftest_path(nullptr, path));
}

}  // namespace
