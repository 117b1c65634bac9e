// Appending records to the CSV file in a temporary folder: the bytes on
// disk after each save, the existence test, and failures that the caller
// must see as failures.
#include "records/records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "catalogue/catalogue.h"
#include "tests/records/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

const LocalTime FIRST_SAVE = {2026, 12, 11, 9, 5, 3};
const LocalTime SECOND_SAVE = {2026, 12, 11, 10, 0, 0};
const double DEFAULT_VALUES[MAX_PARAMETERS] = {100, 40, 40};
const double HIGH_VALUES[MAX_PARAMETERS] = {101, 40, 40};
const wchar_t DEFAULT_REPORT[] = L"估算渗透压：900 mOsm/L\r\n";
const wchar_t HIGH_REPORT[] = L"估算渗透压：905 mOsm/L\r\n";

const char FIRST_FILE[] =
    "\xEF\xBB\xBF"
    "时间,工具,葡萄糖浓度,氨基酸浓度,钠浓度,结果\r\n"
    "2026-12-11 09:05:03,Veltrane,葡萄糖浓度=100,氨基酸浓度=40,钠浓度=40,估算渗透压：900 mOsm/L\r\n"
    "\r\n";
const char SECOND_FILE[] =
    "\xEF\xBB\xBF"
    "时间,工具,葡萄糖浓度,氨基酸浓度,钠浓度,结果\r\n"
    "2026-12-11 09:05:03,Veltrane,葡萄糖浓度=100,氨基酸浓度=40,钠浓度=40,估算渗透压：900 mOsm/L\r\n"
    "\r\n"
    "2026-12-11 10:00:00,Veltrane,葡萄糖浓度=101,氨基酸浓度=40,钠浓度=40,估算渗透压：905 mOsm/L\r\n"
    "\r\n";

class RecordFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(temp.path.empty()) << "no temporary folder"; }

    std::wstring record_file_below(const std::wstring& base) const {
        const wchar_t s = RECORD_PATH_SEPARATOR;
        return base + s + L"QuelmMedSuite" + s + L"records" + s + L"T260.csv";
    }

    TempFolder temp;
};

TEST_F(RecordFile, FirstSaveCreatesFoldersMarkHeaderAndRecordLaterSavesOnlyAppend) {
    // The base folder does not exist yet: the whole chain is made.
    const std::wstring base = temp.child(L"护士 甲") + RECORD_PATH_SEPARATOR + L"Local";
    const std::wstring expected_path = record_file_below(base);
    wchar_t path[RECORD_PATH_CAPACITY];

    ASSERT_TRUE(append_tool_record(base.c_str(), current_tool(), DEFAULT_VALUES, DEFAULT_REPORT,
                                   FIRST_SAVE, path, RECORD_PATH_CAPACITY));
    EXPECT_EQ(std::wstring(path), expected_path);
    EXPECT_EQ(read_file_bytes(expected_path), std::string(FIRST_FILE));

    ASSERT_TRUE(append_tool_record(base.c_str(), current_tool(), HIGH_VALUES, HIGH_REPORT,
                                   SECOND_SAVE, path, RECORD_PATH_CAPACITY));
    EXPECT_EQ(std::wstring(path), expected_path);
    EXPECT_EQ(read_file_bytes(expected_path), std::string(SECOND_FILE));
}

TEST_F(RecordFile, ExistenceTestOpensForReading) {
    const std::wstring file = temp.child(L"T001.csv");
    EXPECT_FALSE(record_file_exists(file.c_str()));
    ASSERT_TRUE(write_file_bytes(file, ""));
    EXPECT_TRUE(record_file_exists(file.c_str()));
    EXPECT_FALSE(record_file_exists(temp.child(L"T002.csv").c_str()));
}

// Keeps a file from being opened for reading by this process while it can
// still be opened for appending. POSIX: mode 0200 (root reads it anyway).
// Windows: a handle that reads the file and lets others only write it.
class ReadBlock {
public:
    explicit ReadBlock(const std::wstring& file) : file_(file) {
#ifdef _WIN32
        handle_ = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
#else
        std::filesystem::permissions(std::filesystem::path(file),
                                     std::filesystem::perms::owner_write);
#endif
    }
    ~ReadBlock() { release(); }
    void release() {
#ifdef _WIN32
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
#else
        std::error_code error;
        std::filesystem::permissions(std::filesystem::path(file_),
                                     std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write,
                                     error);
#endif
    }

private:
    std::wstring file_;
#ifdef _WIN32
    HANDLE handle_ = INVALID_HANDLE_VALUE;
#endif
};

TEST_F(RecordFile, FileThatCannotBeReadCountsAsNew) {
    const std::wstring base = temp.child(L"Local");
    const std::wstring file = record_file_below(base);
    wchar_t path[RECORD_PATH_CAPACITY];
    ASSERT_TRUE(append_tool_record(base.c_str(), current_tool(), DEFAULT_VALUES, DEFAULT_REPORT,
                                   FIRST_SAVE, path, RECORD_PATH_CAPACITY));

    ReadBlock block(file);
    if (record_file_exists(file.c_str())) {
        GTEST_SKIP() << "this process reads a file of mode 0200 (it runs as root), so the file "
                        "cannot be made unreadable here";
    }
    ASSERT_TRUE(append_tool_record(base.c_str(), current_tool(), HIGH_VALUES, HIGH_REPORT,
                                   SECOND_SAVE, path, RECORD_PATH_CAPACITY));
    block.release();
    EXPECT_EQ(read_file_bytes(file),
              std::string(FIRST_FILE) +
                  "\xEF\xBB\xBF"
                  "时间,工具,葡萄糖浓度,氨基酸浓度,钠浓度,结果\r\n"
                  "2026-12-11 10:00:00,Veltrane,葡萄糖浓度=101,氨基酸浓度=40,钠浓度=40,"
                  "估算渗透压：905 mOsm/L\r\n"
                  "\r\n");
}

// A first save that failed after the file was made leaves it empty; the
// next save begins it with the byte-order mark and header all the same.
TEST_F(RecordFile, EmptyFileLeftByAFailedSaveGetsTheHeader) {
    const std::wstring base = temp.child(L"Local");
    const std::wstring file = record_file_below(base);
    wchar_t path[RECORD_PATH_CAPACITY];
    ASSERT_TRUE(append_tool_record(base.c_str(), current_tool(), DEFAULT_VALUES, DEFAULT_REPORT,
                                   FIRST_SAVE, path, RECORD_PATH_CAPACITY));
    ASSERT_TRUE(write_file_bytes(file, ""));
    EXPECT_TRUE(record_file_needs_header(file.c_str()));
    ASSERT_TRUE(append_tool_record(base.c_str(), current_tool(), DEFAULT_VALUES, DEFAULT_REPORT,
                                   FIRST_SAVE, path, RECORD_PATH_CAPACITY));
    EXPECT_EQ(read_file_bytes(file), std::string(FIRST_FILE));
    EXPECT_FALSE(record_file_needs_header(file.c_str()));
}

TEST_F(RecordFile, UnwritableLocationsFail) {
    wchar_t path[RECORD_PATH_CAPACITY];

    // The base folder is a plain file: no folder can be made below it.
    const std::wstring file_as_base = temp.child(L"plain-file");
    ASSERT_TRUE(write_file_bytes(file_as_base, "x"));
    EXPECT_FALSE(append_tool_record(file_as_base.c_str(), current_tool(), DEFAULT_VALUES,
                                    DEFAULT_REPORT, FIRST_SAVE, path, RECORD_PATH_CAPACITY));
    EXPECT_EQ(std::wstring(path), record_file_below(file_as_base));
    EXPECT_EQ(read_file_bytes(file_as_base), "x");

    // The record file's name is taken by a folder.
    const std::wstring base = temp.child(L"Local");
    const std::wstring file = record_file_below(base);
    create_folder_chain(file.c_str());
    EXPECT_FALSE(append_tool_record(base.c_str(), current_tool(), DEFAULT_VALUES, DEFAULT_REPORT,
                                    FIRST_SAVE, path, RECORD_PATH_CAPACITY));
    EXPECT_EQ(std::wstring(path), file);
    EXPECT_FALSE(append_record_lines(file.c_str(), L"h\r\n", L"r\r\n"));
}

TEST_F(RecordFile, BaseFolderTooLongForTheRecordsFolderWritesNothing) {
    const std::wstring base = temp.child(std::wstring(250 - temp.path.size(), L'a'));
    wchar_t path[RECORD_PATH_CAPACITY];
    EXPECT_FALSE(append_tool_record(base.c_str(), current_tool(), DEFAULT_VALUES, DEFAULT_REPORT,
                                    FIRST_SAVE, path, RECORD_PATH_CAPACITY));
    std::error_code error;
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(base), error));
}

#ifndef _WIN32
TEST_F(RecordFile, WriteThatDoesNotReachTheDiskFails) {
    // /dev/full takes the open but fails every write once the buffer goes
    // out: the failure shows only at the flush or the close.
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    EXPECT_FALSE(append_record_lines(L"/dev/full", L"时间,工具,结果\r\n", L"r\r\n"));
    EXPECT_FALSE(append_record_lines(L"/dev/full", nullptr, L"r\r\n"));
}
#endif

TEST_F(RecordFile, LongestLineIsWrittenWhole) {
    // A record line of 4095 characters, most of them three bytes in UTF-8:
    // far more than 4095 bytes, and still written whole.
    static const std::wstring long_name(4000, L'葡');
    const ToolDefinition tool = {1, long_name.c_str(), nullptr, L"c", L"r", nullptr, 0, nullptr,
                                 0, nullptr, 0, nullptr, 0};
    wchar_t line[RECORD_LINE_CAPACITY];
    build_record_line(tool, nullptr, std::wstring(200, L'表').c_str(), FIRST_SAVE, line,
                      RECORD_LINE_CAPACITY);
    ASSERT_EQ(std::wstring(line).size(), 4095u);

    const std::wstring file = temp.child(L"T001.csv");
    ASSERT_TRUE(append_record_lines(file.c_str(), nullptr, line));
    std::string expected = "2026-12-11 09:05:03,";
    for (int i = 0; i < 4000; ++i) expected += "葡";
    expected += ",";
    for (int i = 0; i < 72; ++i) expected += "表";
    expected += "\r\n";
    ASSERT_EQ(expected.size(), 12239u);
    EXPECT_EQ(read_file_bytes(file), expected);
}

TEST_F(RecordFile, HeaderAndRecordGoInOneAppendAfterEarlierBytes) {
    const std::wstring file = temp.child(L"T003.csv");
    ASSERT_TRUE(write_file_bytes(file, "earlier\r\n"));
    ASSERT_TRUE(append_record_lines(file.c_str(), L"时间,工具,结果\r\n", L"记录\r\n"));
    ASSERT_TRUE(append_record_lines(file.c_str(), nullptr, L"再记\r\n"));
    EXPECT_EQ(read_file_bytes(file),
              "earlier\r\n"
              "\xEF\xBB\xBF"
              "时间,工具,结果\r\n"
              "记录\r\n"
              "再记\r\n");
}

}  // namespace
