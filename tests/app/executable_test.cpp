// The real executables, started as a person would start them: veltrane with
// the build's catalogue, veltrane_fixture with the largest rota and
// veltrane_fixture_failing with a failing output. Each case runs in a fresh
// folder and checks the exit code, the report file byte for byte and what
// went to stderr.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fixtures/expected_reports.h"

namespace {

namespace fs = std::filesystem;

struct ProcessResult {
    int exit_code;
    std::string out;
    std::string err;
};

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Starts `program` with argv[0] = `name` and `arguments`, in `folder`.
ProcessResult start(const std::string& program, const std::string& name, const std::vector<std::string>& arguments,
          const fs::path& folder) {
    const fs::path out_path = folder / "stdout.capture";
    const fs::path err_path = folder / "stderr.capture";
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(name.c_str()));
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    ProcessResult run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(out_path), read_file(err_path)};
    fs::remove(out_path);
    fs::remove(err_path);
    return run;
}

class Executable : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string name = "veltrane-exe-" + std::to_string(getpid()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = fs::temp_directory_path() / name;
        fs::remove_all(folder);
        ASSERT_TRUE(fs::create_directories(folder));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    // The files the run left in its folder, by name.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
            if (e.is_regular_file()) names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path folder;
};

struct ReportCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string report_file;   // relative to the folder the program runs in
};

TEST_F(Executable, WritesTheCatalogueReportWhereTheCommandLineSays) {
    const ReportCase cases[] = {
        {"option last", {"--selftest"}, "selftest.txt"},
        {"plain path", {"--selftest", "out.txt"}, "out.txt"},
        {"empty pair of quotes", {"--selftest", ""}, "selftest.txt"},
        {"path then more words", {"--selftest", "out.txt", "and", "more"}, "out.txt"},
        {"path with a space", {"--selftest", "my report.txt"}, "my report.txt"},
        {"equals glued to the option", {"--selftest=out.txt"}, "=out.txt"},
        {"tab after the option", {"--selftest\tout.txt"}, "\tout.txt"},
        {"Chinese path", {"--selftest", "\xE8\x87\xAA\xE6\xA3\x80.txt"}, "\xE8\x87\xAA\xE6\xA3\x80.txt"},
        {"option after other words", {"--lang", "zh", "--selftest", "late.txt"}, "late.txt"},
    };
    for (const ReportCase& c : cases) {
        const ProcessResult run = start(VELTRANE_EXE, "veltrane", c.arguments, folder);
        EXPECT_EQ(run.exit_code, 0) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_EQ(run.err, "") << c.name;
        EXPECT_EQ(files(), std::vector<std::string>{c.report_file}) << c.name;
        EXPECT_EQ(read_file(folder / c.report_file), CATALOGUE_REPORT) << c.name;
        fs::remove(folder / c.report_file);
    }
}

TEST_F(Executable, FindsTheOptionInsideTheProgramPath) {
    const fs::path link = folder / "veltrane--selftest";
    fs::create_symlink(VELTRANE_EXE, link);
    const ProcessResult run = start(link.string(), "./veltrane--selftest", {}, folder);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(read_file(folder / "selftest.txt"), CATALOGUE_REPORT);
}

TEST_F(Executable, ReplacesAnEarlierReport) {
    std::ofstream(folder / "selftest.txt", std::ios::binary) << std::string(20000, 'x');
    const ProcessResult run = start(VELTRANE_EXE, "veltrane", {"--selftest"}, folder);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(read_file(folder / "selftest.txt"), CATALOGUE_REPORT);
}

TEST_F(Executable, ExitsThreeWhenTheReportCannotBeWritten) {
    const ProcessResult run = start(VELTRANE_EXE, "veltrane", {"--selftest", "missing/out.txt"}, folder);
    EXPECT_EQ(run.exit_code, 3);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(files().empty());
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

TEST_F(Executable, ExitsTwoWhenAnOutputFails) {
    const ProcessResult run = start(VELTRANE_FIXTURE_FAILING_EXE, "veltrane_fixture_failing", {"--selftest", "f.txt"},
                          folder);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(read_file(folder / "f.txt"), FAILING_REPORT);
}

TEST_F(Executable, WritesALongReportToolReportWhole) {
    const ProcessResult run = start(VELTRANE_FIXTURE_EXE, "veltrane_fixture", {"--selftest"}, folder);
    EXPECT_EQ(run.exit_code, 0);
    const std::string bytes = read_file(folder / "selftest.txt");
    EXPECT_GT(bytes.size(), 8191u) << "longer than the old 8191-byte limit, and not empty";
    EXPECT_EQ(bytes.substr(0, 10), "TOOL|9012|");
    EXPECT_NE(bytes.find("\r\nLEVEL|0\r\nOUT|\xE6\x8A\xA5\xE5\x91\x8A\xE6\x96\x87\xE6\x9C\xAC|"
                         "\xE8\xA7\x81 DETAIL|\r\nVERDICT|"),
              std::string::npos);
    size_t line_ends = 0;
    for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) ++line_ends;
    EXPECT_EQ(line_ends, 6u) << "six lines";
    EXPECT_EQ(bytes.substr(bytes.size() - 12), "\r\nERRORS|0\r\n");
}

struct WindowCase {
    const char* name;
    std::vector<std::string> arguments;
};

TEST_F(Executable, WithoutTheOptionSaysSoOnOneLineAndExitsOne) {
    const WindowCase cases[] = {
        {"no arguments", {}},
        {"other option", {"--help"}},
        {"option in another case", {"--SELFTEST"}},
        {"option cut short", {"--selftes", "out.txt"}},
    };
    for (const WindowCase& c : cases) {
        const ProcessResult run = start(VELTRANE_EXE, "veltrane", c.arguments, folder);
        EXPECT_EQ(run.exit_code, 1) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
        ASSERT_FALSE(run.err.empty()) << c.name;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.name << ": one line, ended: " << run.err;
        EXPECT_NE(run.err.find("veltrane.exe"), std::string::npos) << c.name << ": names the Windows build";
        EXPECT_TRUE(files().empty()) << c.name << ": no report written";
    }
}

}  // namespace
