#include "tests/records/temp_folder.h"

#include <cstdio>
#include <filesystem>
#include <random>

#include "platform/platform.h"
#include "records/records.h"

TempFolder::TempFolder() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            base / ("veltrane-records-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path = candidate.wstring();
            return;
        }
    }
}

TempFolder::~TempFolder() {
    if (!path.empty()) {
        std::error_code error;
        std::filesystem::remove_all(std::filesystem::path(path), error);
    }
}

std::wstring TempFolder::child(const std::wstring& name) const {
    return path + RECORD_PATH_SEPARATOR + name;
}

std::string read_file_bytes(const std::wstring& file) {
    std::string bytes;
    FILE* in = platform_open_file(file.c_str(), "rb");
    if (in == nullptr) {
        return bytes;
    }
    char block[4096];
    size_t count = 0;
    while ((count = std::fread(block, 1, sizeof block, in)) > 0) {
        bytes.append(block, count);
    }
    std::fclose(in);
    return bytes;
}

bool write_file_bytes(const std::wstring& file, const std::string& bytes) {
    FILE* out = platform_open_file(file.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}
