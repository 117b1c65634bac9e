// A fresh folder per test under the Windows temporary folder, with its files
// removed afterwards, and whole files read back as bytes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class Win32Folder : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
        ASSERT_GT(length, 0u);
        static int serial = 0;
        root_ = std::wstring(temp) + L"veltrane-win-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++serial);
        ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr)) << "cannot create the test folder";
    }
    void TearDown() override { remove_tree(root_); }

    const std::wstring& folder() const { return root_; }
    std::wstring file(const std::wstring& name) const { return root_ + L"\\" + name; }

public:
    static bool exists(const std::wstring& path) {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // The whole file as bytes; `found` tells whether it could be opened.
    static std::string read_bytes(const std::wstring& path, bool* found = nullptr) {
        std::string bytes;
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (found != nullptr) *found = file != INVALID_HANDLE_VALUE;
        if (file == INVALID_HANDLE_VALUE) return bytes;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
        CloseHandle(file);
        return bytes;
    }

protected:
    // The names in the folder as the system lists them, separated by "|".
    std::wstring listing() const {
        std::wstring names;
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((root_ + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            if (!names.empty()) names += L"|";
            names += name;
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

private:
    static void remove_tree(const std::wstring& path) {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring child = path + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    remove_tree(child);
                } else {
                    DeleteFileW(child.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path.c_str());
    }

    std::wstring root_;
};

// A narrow build-time path (ASCII) as wide text.
inline std::wstring widen_ascii(const char* text) {
    std::wstring wide;
    for (const char* c = text; *c != 0; ++c) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    return wide;
}
