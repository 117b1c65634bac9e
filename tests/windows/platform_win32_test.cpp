// The Win32 side of the seam: the command line as Windows gives it, the
// clock, folders, files opened by wide path in the three modes, and the
// UTF-8 conversion's refusal of a zero capacity.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "tests/windows/win32_folder.h"

namespace {

TEST(Win32Seam, CommandLineIsWindowsOwn) {
    EXPECT_STREQ(platform_command_line(), GetCommandLineW());
    platform_set_arguments(0, nullptr);  // does nothing on Windows
    EXPECT_STREQ(platform_command_line(), GetCommandLineW());
}

TEST(Win32Seam, LocalTimeIsTheSystemsLocalTime) {
    SYSTEMTIME before = {};
    GetLocalTime(&before);
    const LocalTime now = platform_local_time();
    SYSTEMTIME after = {};
    GetLocalTime(&after);
    // Taken between two readings of the same clock: equal to one of them
    // unless a minute turned over in between.
    const bool same_minute = before.wMinute == after.wMinute;
    if (same_minute) {
        EXPECT_EQ(now.year, before.wYear);
        EXPECT_EQ(now.month, before.wMonth);
        EXPECT_EQ(now.day, before.wDay);
        EXPECT_EQ(now.hour, before.wHour);
        EXPECT_EQ(now.minute, before.wMinute);
        EXPECT_GE(now.second, before.wSecond);
        EXPECT_LE(now.second, after.wSecond);
    }
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
}

TEST(Win32Seam, ZeroCapacityConvertsNothing) {
    char out[4] = {'x', 'x', 'x', 'x'};
    // WideCharToMultiByte would report the size it needs for a capacity of
    // 0; the seam must not pass that on as a result.
    EXPECT_EQ(platform_to_utf8(L"abc", out, 0), 0);
    EXPECT_EQ(out[0], 'x');
    EXPECT_EQ(platform_to_utf8(L"abc", out, -1), 0);
    EXPECT_EQ(platform_to_utf8(L"abc", out, 3), 0) << "the terminator does not fit";
    EXPECT_EQ(out[0], '\0') << "nothing usable is left after a cut conversion";
    EXPECT_EQ(platform_to_utf8(L"abc", out, 4), 4);
    EXPECT_STREQ(out, "abc");
}

class Win32SeamFiles : public Win32Folder {};

TEST_F(Win32SeamFiles, CreatesFoldersAndAcceptsOneThatExists) {
    const std::wstring made = file(L"记录");
    EXPECT_TRUE(platform_create_directory(made.c_str())) << "a new folder";
    EXPECT_TRUE(GetFileAttributesW(made.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(platform_create_directory(made.c_str())) << "a folder that already exists";
    EXPECT_FALSE(platform_create_directory(file(L"missing\\child").c_str())) << "a parent that is missing";
    EXPECT_FALSE(platform_create_directory(L"")) << "an empty path";
    EXPECT_FALSE(platform_create_directory(nullptr)) << "no path";
}

TEST_F(Win32SeamFiles, OpensByWidePathInTheThreeModesWithoutLineEndTranslation) {
    const std::wstring path = file(L"渗透压 记录.csv");
    FILE* written = platform_open_file(path.c_str(), "wb");
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(fwrite("a\r\nb\n", 1, 5, written), 5u);
    EXPECT_EQ(fclose(written), 0);

    FILE* appended = platform_open_file(path.c_str(), "ab");
    ASSERT_NE(appended, nullptr);
    EXPECT_EQ(fwrite("\x1A" "c\n", 1, 3, appended), 3u);  // Ctrl-Z is no end of file in byte mode
    EXPECT_EQ(fclose(appended), 0);

    EXPECT_EQ(read_bytes(path), std::string("a\r\nb\n\x1A" "c\n"));

    FILE* read = platform_open_file(path.c_str(), "rb");
    ASSERT_NE(read, nullptr);
    char buffer[16] = {};
    EXPECT_EQ(fread(buffer, 1, sizeof buffer, read), 8u);
    EXPECT_EQ(std::string(buffer, 8), std::string("a\r\nb\n\x1A" "c\n"));
    EXPECT_EQ(fclose(read), 0);

    FILE* emptied = platform_open_file(path.c_str(), "wb");
    ASSERT_NE(emptied, nullptr);
    EXPECT_EQ(fclose(emptied), 0);
    EXPECT_EQ(read_bytes(path), std::string());
}

TEST_F(Win32SeamFiles, RefusesWhatCannotBeOpened) {
    struct RefusedCase {
        const char* name;
        std::wstring path;
        const char* mode;
    };
    const RefusedCase cases[] = {
        {"missing file read", file(L"none.txt"), "rb"},
        {"missing folder", file(L"none\\x.txt"), "wb"},
        {"no mode", file(L"x.txt"), nullptr},
        {"mode too long for the widened copy", file(L"x.txt"), "wbbbbbbbbbb"},
        {"mode beyond ASCII", file(L"x.txt"), "w\xC3\xA9"},
        {"empty path", L"", "wb"},
    };
    for (const RefusedCase& c : cases) {
        FILE* f = platform_open_file(c.path.c_str(), c.mode);
        EXPECT_EQ(f, nullptr) << c.name;
        if (f != nullptr) fclose(f);
    }
    EXPECT_EQ(platform_open_file(nullptr, "rb"), nullptr) << "no path";
    EXPECT_EQ(listing(), L"") << "nothing was created";
}

}  // namespace
