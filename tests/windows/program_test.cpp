// veltrane.exe started as Windows starts it, with a raw command line (which
// the native build cannot be given): the self-test's report file byte for
// byte, where it lands, and the exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/fixtures/expected_reports.h"
#include "tests/windows/win32_folder.h"

namespace {

class ProgramRun : public Win32Folder {
protected:
    // Starts `program` in the test folder with the command line `arguments`
    // after the quoted program path, waits for it and returns its exit code
    // (-1 when it could not be started or did not end within a minute).
    int run(const char* program, const std::wstring& arguments) {
        wchar_t full[MAX_PATH];
        const std::wstring given = widen_ascii(program);
        if (GetFullPathNameW(given.c_str(), MAX_PATH, full, nullptr) == 0) return -1;
        std::wstring command_line = L"\"" + std::wstring(full) + L"\"" + arguments;
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessW(full, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder().c_str(),
                            &startup, &process)) {
            return -1;
        }
        DWORD code = static_cast<DWORD>(-1);
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.hProcess, &code);
        } else {
            TerminateProcess(process.hProcess, 99);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return static_cast<int>(code);
    }
};

struct CommandLineCase {
    const char* name;
    std::wstring arguments;   // after the quoted program path
    std::wstring report;      // the file the report lands in
};

TEST_F(ProgramRun, SelftestWritesTheCatalogueReportWhereTheCommandLineSays) {
    const CommandLineCase cases[] = {
        {"path after one space", L" --selftest out.txt", L"out.txt"},
        {"no path", L" --selftest", L"selftest.txt"},
        {"spaces only after the option", L" --selftest   ", L"selftest.txt"},
        {"empty quotes", L" --selftest \"\"", L"selftest.txt"},
        {"three spaces, then the path, then more words", L" --selftest   out.txt more words", L"out.txt"},
        {"quoted path with spaces", L" --selftest \"report file.txt\" more", L"report file.txt"},
        {"quoted path without its closing quote", L" --selftest \"open quote.txt", L"open quote.txt"},
        {"path glued to the option", L" --selftest=out.txt", L"=out.txt"},
        {"option after other words", L" first --selftest out.txt", L"out.txt"},
        {"Chinese path", L" --selftest 报告.txt", L"报告.txt"},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(VELTRANE_EXE, c.arguments), 0);
        bool found = false;
        EXPECT_EQ(read_bytes(file(c.report), &found), CATALOGUE_REPORT);
        EXPECT_TRUE(found);
        EXPECT_EQ(listing(), c.report) << "the report is the only file written";
        DeleteFileW(file(c.report).c_str());
    }
}

TEST_F(ProgramRun, SelftestReplacesAnEarlierReport) {
    const std::wstring path = file(L"out.txt");
    const HANDLE earlier = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(earlier, INVALID_HANDLE_VALUE);
    const std::string old_text(20000, 'x');
    DWORD written = 0;
    WriteFile(earlier, old_text.data(), static_cast<DWORD>(old_text.size()), &written, nullptr);
    CloseHandle(earlier);
    EXPECT_EQ(run(VELTRANE_EXE, L" --selftest out.txt"), 0);
    EXPECT_EQ(read_bytes(path), CATALOGUE_REPORT) << "the earlier, longer file is emptied first";
}

TEST_F(ProgramRun, SelftestWithAFailingOutputExitsWithTwo) {
    EXPECT_EQ(run(VELTRANE_FIXTURE_FAILING_EXE, L" --selftest out.txt"), 2);
    EXPECT_EQ(read_bytes(file(L"out.txt")), FAILING_REPORT);
}

TEST_F(ProgramRun, SelftestIntoAMissingFolderWritesNothing) {
    // The report cannot be opened; the program shows nothing and ends with
    // the code that tells so.
    const int code = run(VELTRANE_EXE, L" --selftest missing\\out.txt");
    EXPECT_EQ(code, 3);
    EXPECT_EQ(listing(), L"");
}

}  // namespace
