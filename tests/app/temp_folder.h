// A fresh folder per test under the system's temporary folder, removed
// afterwards, with files read back through the platform seam by wide path.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "platform/platform.h"

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        const std::string name = "veltrane-test-" + std::to_string(random()) + std::to_string(random());
        root_ = std::filesystem::temp_directory_path() / name;
        ASSERT_TRUE(std::filesystem::create_directories(root_));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    // The folder as a wide path; the temporary folder's own path is ASCII.
    std::wstring folder() const {
        const std::string narrow = root_.generic_string();
        return std::wstring(narrow.begin(), narrow.end());
    }
    std::wstring file(const std::wstring& name) const { return folder() + L"/" + name; }
    std::string folder_narrow() const { return root_.generic_string(); }

    static bool exists(const std::wstring& path) {
        FILE* f = platform_open_file(path.c_str(), "rb");
        if (f == nullptr) return false;
        fclose(f);
        return true;
    }

    static std::string read_bytes(const std::wstring& path) {
        FILE* f = platform_open_file(path.c_str(), "rb");
        EXPECT_NE(f, nullptr) << "the file should exist";
        if (f == nullptr) return "<missing>";
        std::string bytes;
        char chunk[4096];
        size_t n = 0;
        while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
        fclose(f);
        return bytes;
    }

private:
    std::filesystem::path root_;
};
