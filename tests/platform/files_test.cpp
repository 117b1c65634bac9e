// Directories, files and the clock through the seam.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/platform.h"

namespace {

std::wstring widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

class PlatformFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/veltrane-platform-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override {
        std::string command = "rm -rf '" + folder + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    std::string folder;
};

TEST_F(PlatformFiles, CreatesADirectoryOnceAndAcceptsItAgain) {
    const std::wstring path = widen(folder) + L"/记录";
    EXPECT_TRUE(platform_create_directory(path.c_str()));
    struct stat info = {};
    ASSERT_EQ(stat((folder + "/\xE8\xAE\xB0\xE5\xBD\x95").c_str(), &info), 0) << "made under its UTF-8 name";
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_TRUE(platform_create_directory(path.c_str())) << "an existing directory counts as made";
}

TEST_F(PlatformFiles, RefusesADirectoryInAMissingFolder) {
    const std::wstring path = widen(folder) + L"/missing/records";
    EXPECT_FALSE(platform_create_directory(path.c_str()));
    EXPECT_FALSE(platform_create_directory(L""));
    EXPECT_FALSE(platform_create_directory(nullptr));
}

TEST_F(PlatformFiles, OpensByWidePathInEachMode) {
    const std::wstring path = widen(folder) + L"/报告.txt";
    FILE* file = platform_open_file(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(fwrite("a\r\n", 1, 3, file), 3u);
    EXPECT_EQ(fclose(file), 0);

    file = platform_open_file(path.c_str(), "ab");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(fwrite("b", 1, 1, file), 1u);
    EXPECT_EQ(fclose(file), 0);

    file = platform_open_file(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    char bytes[16] = {0};
    EXPECT_EQ(fread(bytes, 1, sizeof bytes, file), 4u);
    EXPECT_EQ(fclose(file), 0);
    EXPECT_EQ(std::string(bytes), "a\r\nb") << "byte mode: no line-end translation";

    FILE* raw = fopen((folder + "/\xE6\x8A\xA5\xE5\x91\x8A.txt").c_str(), "rb");
    ASSERT_NE(raw, nullptr) << "the file carries its UTF-8 name";
    fclose(raw);
}

TEST_F(PlatformFiles, ReturnsNullWhenItCannotOpen) {
    EXPECT_EQ(platform_open_file((widen(folder) + L"/missing/a.txt").c_str(), "wb"), nullptr);
    EXPECT_EQ(platform_open_file((widen(folder) + L"/absent.txt").c_str(), "rb"), nullptr);
    EXPECT_EQ(platform_open_file(L"", "rb"), nullptr);
    EXPECT_EQ(platform_open_file(nullptr, "rb"), nullptr);
    EXPECT_EQ(platform_open_file(L"a.txt", nullptr), nullptr);
}

TEST(PlatformLocalTime, AgreesWithTheCLibraryClock) {
    const time_t before = time(nullptr);
    const LocalTime now = platform_local_time();
    const time_t after = time(nullptr);
    struct tm parts = {};
    parts.tm_year = now.year - 1900;
    parts.tm_mon = now.month - 1;
    parts.tm_mday = now.day;
    parts.tm_hour = now.hour;
    parts.tm_min = now.minute;
    parts.tm_sec = now.second;
    parts.tm_isdst = -1;
    const time_t back = mktime(&parts);
    EXPECT_GE(back, before - 1) << "a local time that maps back to now";
    EXPECT_LE(back, after + 1);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
}

}  // namespace
