// The command line rebuilt from main's arguments: joined by single spaces,
// an argument with a space (or an empty one) in double quotes, UTF-8
// decoded by our own decoder with U+FFFD for malformed bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

std::wstring wide(std::initializer_list<uint32_t> code_points) {
    std::wstring text;
    for (uint32_t c : code_points) text.push_back(static_cast<wchar_t>(c));
    return text;
}

std::wstring command_line_of(std::vector<const char*> arguments) {
    std::vector<char*> argv;
    for (const char* a : arguments) argv.push_back(const_cast<char*>(a));
    argv.push_back(nullptr);
    platform_set_arguments(static_cast<int>(arguments.size()), argv.data());
    return platform_command_line();
}

struct JoinCase {
    const char* name;
    std::vector<const char*> arguments;
    std::wstring expected;
};

TEST(PlatformCommandLine, JoinsArgumentsAsWindowsShowsThem) {
    const std::wstring fffd = wide({0xFFFD});
    const JoinCase cases[] = {
        {"program only", {"./veltrane"}, L"./veltrane"},
        {"option and path", {"./veltrane", "--selftest", "out.txt"}, L"./veltrane --selftest out.txt"},
        {"argument with a space quoted", {"veltrane", "--selftest", "my report.txt"},
         L"veltrane --selftest \"my report.txt\""},
        {"program path with a space quoted", {"/opt/ward tools/veltrane", "--selftest"},
         L"\"/opt/ward tools/veltrane\" --selftest"},
        {"only spaces", {"veltrane", "   "}, L"veltrane \"   \""},
        {"empty argument shown as a pair of quotes", {"veltrane", "--selftest", ""},
         L"veltrane --selftest \"\""},
        {"tab is not a space", {"veltrane", "a\tb"}, L"veltrane a\tb"},
        {"equals glued", {"veltrane", "--selftest=out.txt"}, L"veltrane --selftest=out.txt"},
        {"two-byte UTF-8", {"veltrane", "caf\xC3\xA9"}, L"veltrane café"},
        {"three-byte UTF-8", {"veltrane", "--selftest", "\xE6\x8A\xA5\xE5\x91\x8A.txt"},
         L"veltrane --selftest 报告.txt"},
        {"four-byte UTF-8", {"v", "\xF0\x9F\x98\x80"}, L"v " + wide({0x1F600})},
        {"UTF-8 with a space quoted", {"v", "\xE6\x8A\xA5 \xE5\x91\x8A"}, L"v \"报 告\""},
        {"stray continuation byte", {"v", "a\x80z"}, L"v a" + fffd + L"z"},
        {"lead byte without continuation", {"v", "a\xE6z"}, L"v a" + fffd + L"z"},
        {"truncated three-byte at the end", {"v", "\xE6\x8A"}, L"v " + fffd},
        {"overlong slash", {"v", "\xC0\xAF"}, L"v " + fffd + fffd},
        {"overlong three-byte", {"v", "\xE0\x80\xAF"}, L"v " + fffd + fffd + fffd},
        {"encoded surrogate", {"v", "\xED\xA0\x80"}, L"v " + fffd + fffd + fffd},
        {"past U+10FFFF", {"v", "\xF4\x90\x80\x80"}, L"v " + fffd + fffd + fffd + fffd},
        {"invalid byte FF", {"v", "\xFF"}, L"v " + fffd},
        {"bad byte then a valid character", {"v", "\xFE\xC3\xA9"}, L"v " + fffd + L"é"},
    };
    for (const JoinCase& c : cases) {
        EXPECT_EQ(command_line_of(c.arguments), c.expected) << c.name;
    }
}

TEST(PlatformCommandLine, NoArgumentsGiveAnEmptyText) {
    command_line_of({"veltrane", "--selftest"});
    platform_set_arguments(0, nullptr);
    EXPECT_EQ(std::wstring(platform_command_line()), L"");
}

TEST(PlatformCommandLine, CutsAnOverlongLineAndStaysTerminated) {
    std::string huge(100000, 'a');
    const std::wstring line = command_line_of({"veltrane", "--selftest", huge.c_str()});
    ASSERT_EQ(line.size(), 32767u);
    EXPECT_EQ(line.substr(0, 21), L"veltrane --selftest a");
    EXPECT_EQ(line.back(), L'a');
    // A later, shorter call replaces the text whole.
    EXPECT_EQ(command_line_of({"veltrane"}), L"veltrane");
}

}  // namespace
