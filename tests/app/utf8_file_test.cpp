// write_utf8_file: the exact bytes, no byte-order mark, a long report
// written whole, and an honest false when the file cannot be written.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/app.h"
#include "platform/platform.h"
#include "tests/app/temp_folder.h"

namespace {

using Utf8File = TempFolder;

TEST_F(Utf8File, WritesUtf8WithoutByteOrderMark) {
    const std::wstring path = file(L"report.txt");
    ASSERT_TRUE(write_utf8_file(path.c_str(), L"TOOL|260|Veltrane|营养支持\r\nLEVEL|0\r\n"));
    EXPECT_EQ(read_bytes(path),
              "TOOL|260|Veltrane|\xE8\x90\xA5\xE5\x85\xBB\xE6\x94\xAF\xE6\x8C\x81\r\n"
              "LEVEL|0\r\n");
}

TEST_F(Utf8File, ReplacesAnEarlierFileWhole) {
    const std::wstring path = file(L"report.txt");
    ASSERT_TRUE(write_utf8_file(path.c_str(), L"a much longer earlier report\r\n"));
    ASSERT_TRUE(write_utf8_file(path.c_str(), L"new\r\n"));
    EXPECT_EQ(read_bytes(path), "new\r\n");
}

TEST_F(Utf8File, WritesAnEmptyText) {
    const std::wstring path = file(L"empty.txt");
    ASSERT_TRUE(write_utf8_file(path.c_str(), L""));
    EXPECT_EQ(read_bytes(path), "");
    EXPECT_TRUE(exists(path));
}

TEST_F(Utf8File, WritesUnderAChinesePath) {
    const std::wstring path = file(L"自检报告.txt");
    ASSERT_TRUE(write_utf8_file(path.c_str(), L"见 DETAIL"));
    EXPECT_EQ(read_bytes(path), "\xE8\xA7\x81 DETAIL");
}

TEST_F(Utf8File, WritesAReportLongerThan8191BytesWhole) {
    // 16383 characters, the most a self-test report holds: 8192 three-byte
    // characters and 8191 line-end bytes, 32767 bytes in all.
    std::wstring text;
    std::string expected;
    for (int i = 0; i < 16383; ++i) {
        if (i % 2 == 0) {
            text += L'班';
            expected += "\xE7\x8F\xAD";
        } else {
            text += (i % 4 == 1) ? L'\r' : L'\n';
            expected += (i % 4 == 1) ? '\r' : '\n';
        }
    }
    const std::wstring path = file(L"long.txt");
    ASSERT_TRUE(write_utf8_file(path.c_str(), text.c_str()));
    const std::string bytes = read_bytes(path);
    EXPECT_EQ(bytes.size(), 32767u);
    EXPECT_EQ(bytes, expected);
}

TEST_F(Utf8File, RefusesATextTooLongForAReportAndSaysSo) {
    // More than a report can hold: the file is emptied, never half written,
    // and the caller is told.
    const std::wstring text(70000, L'营');
    const std::wstring path = file(L"too_long.txt");
    ASSERT_TRUE(write_utf8_file(path.c_str(), L"earlier\r\n"));
    EXPECT_FALSE(write_utf8_file(path.c_str(), text.c_str()));
    EXPECT_EQ(read_bytes(path), "");
}

TEST_F(Utf8File, ReturnsFalseForAPathInAMissingFolder) {
    const std::wstring path = file(L"missing/report.txt");
    EXPECT_FALSE(write_utf8_file(path.c_str(), L"TOOL|1|x|y\r\n"));
    EXPECT_FALSE(exists(path));
    EXPECT_FALSE(write_utf8_file(L"", L"x"));
    EXPECT_FALSE(write_utf8_file(nullptr, L"x"));
    EXPECT_FALSE(write_utf8_file(file(L"null_text.txt").c_str(), nullptr));
}

TEST_F(Utf8File, ReturnsFalseForAFolderPath) {
    EXPECT_FALSE(write_utf8_file(folder().c_str(), L"x"));
}

}  // namespace
