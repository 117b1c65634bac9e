// veltrane.exe started as Windows starts it, with a raw command line (which
// the native build cannot be given): the self-test's report file byte for
// byte, where it lands, and the exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/windows/win32_folder.h"

namespace {

// TOOL|260|Veltrane|营养支持 ... ERRORS|0, UTF-8, CR LF, no byte-order mark.
const std::string CATALOGUE_REPORT =
    "TOOL|260|Veltrane|\xE8\x90\xA5\xE5\x85\xBB\xE6\x94\xAF\xE6\x8C\x81\r\n"
    "LEVEL|0\r\n"
    "OUT|\xE4\xBC\xB0\xE7\xAE\x97\xE6\xB8\x97\xE9\x80\x8F\xE5\x8E\x8B|900|mOsm/L\r\n"
    "VERDICT|\xE5\x8F\xAF\xE7\xBB\x8F\xE5\xA4\x96\xE5\x91\xA8\xE9\x9D\x99\xE8\x84\x89"
    "\xE8\xBE\x93\xE6\xB3\xA8\r\n"
    "DETAIL|\xE4\xBC\xB0\xE7\xAE\x97\xE6\xB8\x97\xE9\x80\x8F\xE5\x8E\x8B\xEF\xBC\x9A"
    "900 mOsm/L \r\n"
    "ERRORS|0\r\n";

// TOOL|901|失败样例|测试, one output failing: ERRORS|1 and the exit code 2.
const std::string FAILING_REPORT =
    "TOOL|901|\xE5\xA4\xB1\xE8\xB4\xA5\xE6\xA0\xB7\xE4\xBE\x8B|\xE6\xB5\x8B\xE8\xAF\x95\r\n"
    "LEVEL|1\r\n"
    "OUT|\xE6\xAD\xA3\xE5\xB8\xB8\xE8\xBE\x93\xE5\x87\xBA|6.0|mg\r\n"
    "OUT|\xE4\xB8\xA4\xE5\x80\x8D|\xE8\xBE\x93\xE5\x87\xBA|0|mg\r\n"
    "OUT|\xE6\x97\xA0\xE6\xB3\x95\xE8\xAE\xA1\xE7\xAE\x97|--|\r\n"
    "OUT|\xE8\xAE\xA1\xE6\x95\xB0|3|\r\n"
    "VERDICT|\xE8\xAF\xB7\xE5\xA4\x8D\xE6\xA0\xB8|\xE8\xA7\x81\xE8\xAF\xB4\xE6\x98\x8E\r\n"
    "DETAIL|\xE6\xAD\xA3\xE5\xB8\xB8\xE8\xBE\x93\xE5\x87\xBA\xEF\xBC\x9A" "6.0 mg "
    "\xE4\xB8\xA4\xE5\x80\x8D|\xE8\xBE\x93\xE5\x87\xBA\xEF\xBC\x9A" "12 mg "
    "\xE6\x97\xA0\xE6\xB3\x95\xE8\xAE\xA1\xE7\xAE\x97\xEF\xBC\x9A-- "
    "\xE8\xAE\xA1\xE6\x95\xB0\xEF\xBC\x9A" "3 "
    "\xEF\xBC\x88\xE9\x83\xA8\xE5\x88\x86\xE7\xBB\x93\xE6\x9E\x9C\xE6\x97\xA0\xE6\xB3\x95"
    "\xE8\xAE\xA1\xE7\xAE\x97\xEF\xBC\x8C\xE8\xAF\xB7\xE6\xA3\x80\xE6\x9F\xA5\xE8\xBE\x93"
    "\xE5\x85\xA5\xE6\x98\xAF\xE5\x90\xA6\xE5\x90\x88\xE7\x90\x86\xEF\xBC\x89 \r\n"
    "ERRORS|1\r\n";

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
