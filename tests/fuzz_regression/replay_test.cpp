// Runs every file of one fuzz target's corpus through the target. The
// target's checks abort on a failure, so a failing input ends this test
// with a crash that names the file last announced on stderr.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(FUZZ_SUITE, EveryInputPassesTheTargetsChecks) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(FUZZ_CORPUS))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no inputs in " << FUZZ_CORPUS;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "replaying %s\n", file.filename().c_str());
        // At least one byte, as libFuzzer always passes a valid pointer.
        std::vector<uint8_t> data(bytes.begin(), bytes.end());
        data.reserve(1);
        EXPECT_EQ(LLVMFuzzerTestOneInput(data.data(), data.size()), 0) << file;
    }
}
