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

namespace {

namespace fs = std::filesystem;

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
