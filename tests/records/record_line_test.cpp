// The header and record lines of the CSV record file, and where the file
// lives: byte for byte, with every CR LF written out.
#include "records/records.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/catalogue.h"

namespace {

const LocalTime SAVE_TIME = {2026, 12, 11, 9, 5, 3};

const ParameterSpec ONE_PARAMETER[] = {
    {"dose", L"剂量", L"mg", 1.0},
};
const ToolDefinition ONE_PARAMETER_TOOL = {
    7, L"单参数", nullptr, L"测试", L"无", nullptr, 1, ONE_PARAMETER, 0, nullptr, 0, nullptr, 0};

const ToolDefinition NO_PARAMETER_TOOL = {
    12, L"核对清单", nullptr, L"测试", L"无", nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 3};

TEST(HeaderLine, CatalogueToolNamesEveryParameterInOrder) {
    wchar_t line[HEADER_LINE_CAPACITY];
    EXPECT_TRUE(build_header_line(current_tool(), line, HEADER_LINE_CAPACITY));
    EXPECT_STREQ(line, L"时间,工具,葡萄糖浓度,氨基酸浓度,钠浓度,结果\r\n");
}

TEST(HeaderLine, ToolWithoutParametersHasTimeToolAndResult) {
    wchar_t line[HEADER_LINE_CAPACITY];
    EXPECT_TRUE(build_header_line(NO_PARAMETER_TOOL, line, HEADER_LINE_CAPACITY));
    EXPECT_STREQ(line, L"时间,工具,结果\r\n");
}

TEST(HeaderLine, CutLineStillEndsWithItsLineEnd) {
    wchar_t line[12];
    EXPECT_FALSE(build_header_line(current_tool(), line, 12));
    EXPECT_STREQ(line, L"时间,工具,葡萄糖\r\n");
}

TEST(RecordLine, CatalogueToolAtDefaults) {
    const double values[MAX_PARAMETERS] = {100, 40, 40};
    wchar_t line[RECORD_LINE_CAPACITY];
    EXPECT_TRUE(build_record_line(current_tool(), values, L"估算渗透压：900 mOsm/L\r\n", SAVE_TIME,
                                  line, RECORD_LINE_CAPACITY));
    EXPECT_STREQ(line,
                 L"2026-12-11 09:05:03,Veltrane,葡萄糖浓度=100,氨基酸浓度=40,钠浓度=40,"
                 L"估算渗透压：900 mOsm/L\r\n\r\n");
}

TEST(RecordLine, ValuesAreWrittenWithDefaultGeneralFormat) {
    struct ValueCase {
        const char* name;
        double value;
        const wchar_t* line;
    };
    const ValueCase CASES[] = {
        {"tenth", 0.1, L"2026-12-11 09:05:03,单参数,剂量=0.1,r\r\n"},
        {"hundred", 100, L"2026-12-11 09:05:03,单参数,剂量=100,r\r\n"},
        {"small", 0.00001, L"2026-12-11 09:05:03,单参数,剂量=1e-05,r\r\n"},
        {"large", 2.5e6, L"2026-12-11 09:05:03,单参数,剂量=2.5e+06,r\r\n"},
        {"third", 1.0 / 3.0, L"2026-12-11 09:05:03,单参数,剂量=0.333333,r\r\n"},
        {"zero", 0, L"2026-12-11 09:05:03,单参数,剂量=0,r\r\n"},
        {"negative", -40.5, L"2026-12-11 09:05:03,单参数,剂量=-40.5,r\r\n"},
        {"sixDigits", 123456789, L"2026-12-11 09:05:03,单参数,剂量=1.23457e+08,r\r\n"},
        {"tenThousandth", 0.0001, L"2026-12-11 09:05:03,单参数,剂量=0.0001,r\r\n"},
    };
    for (const ValueCase& c : CASES) {
        const double values[MAX_PARAMETERS] = {c.value};
        wchar_t line[RECORD_LINE_CAPACITY];
        build_record_line(ONE_PARAMETER_TOOL, values, L"r", SAVE_TIME, line, RECORD_LINE_CAPACITY);
        EXPECT_STREQ(line, c.line) << c.name;
    }
}

TEST(RecordLine, TimeStampIsZeroPadded) {
    struct StampCase {
        const char* name;
        LocalTime time;
        const wchar_t* line;
    };
    const StampCase CASES[] = {
        {"morning", {2026, 1, 9, 0, 0, 0}, L"2026-01-09 00:00:00,核对清单,r\r\n"},
        {"evening", {2027, 10, 31, 23, 59, 58}, L"2027-10-31 23:59:58,核对清单,r\r\n"},
        {"shortYear", {987, 2, 3, 4, 5, 6}, L"0987-02-03 04:05:06,核对清单,r\r\n"},
    };
    for (const StampCase& c : CASES) {
        wchar_t line[RECORD_LINE_CAPACITY];
        build_record_line(NO_PARAMETER_TOOL, nullptr, L"r", c.time, line, RECORD_LINE_CAPACITY);
        EXPECT_STREQ(line, c.line) << c.name;
    }
}

TEST(RecordLine, ToolWithoutParametersHasThreeFields) {
    wchar_t line[RECORD_LINE_CAPACITY];
    EXPECT_TRUE(build_record_line(NO_PARAMETER_TOOL, nullptr, L"核对：已完成\r\n", SAVE_TIME, line,
                                  RECORD_LINE_CAPACITY));
    EXPECT_STREQ(line, L"2026-12-11 09:05:03,核对清单,核对：已完成\r\n\r\n");
}

TEST(RecordLine, SeveralReportLinesAndCommasStandUnchanged) {
    const double values[MAX_PARAMETERS] = {2};
    wchar_t line[RECORD_LINE_CAPACITY];
    build_record_line(ONE_PARAMETER_TOOL, values, L"甲,乙\r\n\"丙\"\r\n", SAVE_TIME, line,
                      RECORD_LINE_CAPACITY);
    EXPECT_STREQ(line, L"2026-12-11 09:05:03,单参数,剂量=2,甲,乙\r\n\"丙\"\r\n\r\n");
}

TEST(RecordLine, ReportIsCutAfter254Characters) {
    struct CutCase {
        const char* name;
        std::wstring report;
        std::wstring line;
    };
    const std::wstring stamp = L"2026-12-11 09:05:03,核对清单,";
    const CutCase CASES[] = {
        {"exactly254", std::wstring(254, L'x'), stamp + std::wstring(254, L'x') + L"\r\n"},
        {"longer", std::wstring(300, L'x'), stamp + std::wstring(254, L'x') + L"\r\n"},
        // The cut falls between the CR and the LF of a report line.
        {"insideLineEnd", std::wstring(253, L'x') + L"\r\n" + L"yyy",
         stamp + std::wstring(253, L'x') + L"\r" + L"\r\n"},
        {"chinese", std::wstring(400, L'表'), stamp + std::wstring(254, L'表') + L"\r\n"},
    };
    for (const CutCase& c : CASES) {
        wchar_t line[RECORD_LINE_CAPACITY];
        build_record_line(NO_PARAMETER_TOOL, nullptr, c.report.c_str(), SAVE_TIME, line,
                          RECORD_LINE_CAPACITY);
        EXPECT_EQ(std::wstring(line), c.line) << c.name;
    }
}

TEST(RecordLine, ParameterPieceIsCutAt127Characters) {
    static const std::wstring long_label(200, L'标');
    const ParameterSpec params[] = {{"a", long_label.c_str(), nullptr, 0}};
    const ToolDefinition tool = {1, L"T", nullptr, L"c", L"r", nullptr, 1, params,
                                 0, nullptr, 0, nullptr, 0};
    const double values[MAX_PARAMETERS] = {5};
    wchar_t line[RECORD_LINE_CAPACITY];
    build_record_line(tool, values, L"r", SAVE_TIME, line, RECORD_LINE_CAPACITY);
    // "," and 126 characters of the label: the "=5" falls past the cut.
    EXPECT_EQ(std::wstring(line),
              L"2026-12-11 09:05:03,T," + std::wstring(126, L'标') + L",r\r\n");
}

TEST(RecordLine, OverlongLineIsCutKeepingItsLineEnd) {
    static const std::wstring long_name(4000, L'葡');
    const ToolDefinition tool = {1, long_name.c_str(), nullptr, L"c", L"r", nullptr, 0, nullptr,
                                 0, nullptr, 0, nullptr, 0};
    wchar_t line[RECORD_LINE_CAPACITY];
    EXPECT_FALSE(build_record_line(tool, nullptr, std::wstring(200, L'表').c_str(), SAVE_TIME,
                                   line, RECORD_LINE_CAPACITY));
    // 20 + 4000 + 1 + 72 characters, then CR LF: 4095 in all.
    EXPECT_EQ(std::wstring(line),
              L"2026-12-11 09:05:03," + long_name + L"," + std::wstring(72, L'表') + L"\r\n");
}

TEST(RecordPaths, FolderAndFileBelowTheBaseFolder) {
    struct PathCase {
        const char* name;
        int32_t tool_id;
        const wchar_t* file;
    };
#ifdef _WIN32
    const wchar_t* base = L"C:\\Users\\护士\\AppData\\Local";
    const wchar_t* folder = L"C:\\Users\\护士\\AppData\\Local\\QuelmMedSuite\\records";
    const PathCase CASES[] = {
        {"two digits", 7, L"C:\\Users\\护士\\AppData\\Local\\QuelmMedSuite\\records\\T007.csv"},
        {"three digits", 260, L"C:\\Users\\护士\\AppData\\Local\\QuelmMedSuite\\records\\T260.csv"},
        {"four digits", 1234, L"C:\\Users\\护士\\AppData\\Local\\QuelmMedSuite\\records\\T1234.csv"},
    };
#else
    const wchar_t* base = L"/home/护士/.local/share";
    const wchar_t* folder = L"/home/护士/.local/share/QuelmMedSuite/records";
    const PathCase CASES[] = {
        {"two digits", 7, L"/home/护士/.local/share/QuelmMedSuite/records/T007.csv"},
        {"three digits", 260, L"/home/护士/.local/share/QuelmMedSuite/records/T260.csv"},
        {"four digits", 1234, L"/home/护士/.local/share/QuelmMedSuite/records/T1234.csv"},
    };
#endif
    wchar_t records_folder[RECORD_FOLDER_CAPACITY];
    EXPECT_TRUE(build_records_folder(base, records_folder, RECORD_FOLDER_CAPACITY));
    EXPECT_STREQ(records_folder, folder);
    for (const PathCase& c : CASES) {
        wchar_t path[RECORD_PATH_CAPACITY];
        EXPECT_TRUE(build_record_path(records_folder, c.tool_id, path, RECORD_PATH_CAPACITY))
            << c.name;
        EXPECT_STREQ(path, c.file) << c.name;
    }
}

TEST(RecordPaths, FolderThatDoesNotFitIsReportedCut) {
    const std::wstring base(250, L'a');
    wchar_t records_folder[RECORD_FOLDER_CAPACITY];
    EXPECT_FALSE(build_records_folder(base.c_str(), records_folder, RECORD_FOLDER_CAPACITY));
    EXPECT_EQ(std::wstring(records_folder).size(), 259u);
}

}  // namespace
