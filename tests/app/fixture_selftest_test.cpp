// run_selftest end to end with a report-kind tool in the catalogue's place:
// the largest rota, whose report file is longer than 8191 UTF-8 bytes.
#include <gtest/gtest.h>

#include <string>

#include "app/app.h"
#include "catalogue/catalogue.h"
#include "tests/app/temp_folder.h"

namespace {

using FixtureSelftest = TempFolder;

size_t count_of(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++n;
    return n;
}

TEST_F(FixtureSelftest, ReportToolIsWrittenWholeOnSixLines) {
    ASSERT_NE(current_tool().report_kind, 0) << "the fixture catalogue holds a report tool";
    const std::wstring path = file(L"selftest.txt");
    ASSERT_EQ(run_selftest(path.c_str()), EXIT_SELFTEST_OK);
    const std::string bytes = read_bytes(path);

    EXPECT_GT(bytes.size(), 8191u) << "a report past the old 8191-byte limit is written, not left empty";
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
    EXPECT_EQ(count_of(bytes, "\r\n"), 6u) << "six lines, the report flattened into one";
    EXPECT_EQ(count_of(bytes, "\n"), 6u) << "no stray line feed";
    EXPECT_EQ(count_of(bytes, "\r"), 6u) << "no stray carriage return";
    EXPECT_EQ(bytes.substr(0, 16), "TOOL|9012|\xE6\x8E\x92\xE7\x8F\xAD");  // TOOL|9012|排班
    EXPECT_EQ(count_of(bytes, "\r\nOUT|"), 1u) << "exactly one OUT line";
    EXPECT_NE(bytes.find("\r\nLEVEL|0\r\nOUT|\xE6\x8A\xA5\xE5\x91\x8A\xE6\x96\x87\xE6\x9C\xAC|"
                         "\xE8\xA7\x81 DETAIL|\r\nVERDICT|"),
              std::string::npos)
        << "the fixed OUT line OUT|报告文本|见 DETAIL| after LEVEL|0";
    EXPECT_NE(bytes.find("\r\nDETAIL|"), std::string::npos);
    const size_t tail = bytes.rfind("\r\nERRORS|0\r\n");
    EXPECT_EQ(tail, bytes.size() - 12) << "ends with ERRORS|0";
}

}  // namespace
