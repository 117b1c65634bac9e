// The resources built into veltrane.exe and the committed icon file: icon
// group 1 with seven 32-bit PNG images, the version information and the
// application manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "tests/windows/win32_folder.h"

namespace {

// Resource types by number: the narrow RT_ names are the default here.
const LPCWSTR TYPE_ICON = MAKEINTRESOURCEW(3);
const LPCWSTR TYPE_GROUP_ICON = MAKEINTRESOURCEW(14);
const LPCWSTR TYPE_MANIFEST = MAKEINTRESOURCEW(24);

const int ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int ICON_COUNT = 7;

uint32_t big_endian_32(const unsigned char* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}
uint16_t little_endian_16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t little_endian_32(const unsigned char* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// Checks that `bytes` is a PNG of side x side pixels, 8-bit RGBA, and says
// what is wrong otherwise (empty when it is right).
std::string png_fault(const unsigned char* bytes, size_t size, int side) {
    static const unsigned char SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 8 + 25 + 12) return "too short for a PNG";
    if (std::memcmp(bytes, SIGNATURE, 8) != 0) return "no PNG signature";
    const unsigned char* ihdr = bytes + 8;
    if (big_endian_32(ihdr) != 13 || std::memcmp(ihdr + 4, "IHDR", 4) != 0) return "first chunk is not IHDR";
    if (big_endian_32(ihdr + 8) != static_cast<uint32_t>(side)) return "width " + std::to_string(big_endian_32(ihdr + 8));
    if (big_endian_32(ihdr + 12) != static_cast<uint32_t>(side)) return "height " + std::to_string(big_endian_32(ihdr + 12));
    if (ihdr[16] != 8) return "bit depth " + std::to_string(ihdr[16]);
    if (ihdr[17] != 6) return "colour type " + std::to_string(ihdr[17]) + " (6 is RGBA)";
    if (ihdr[20] != 0) return "interlaced";
    if (std::memcmp(bytes + size - 8, "IEND", 4) != 0) return "does not end with IEND";
    return "";
}

TEST(IconFile, HoldsSevenRgbaPngImagesOfTheListedSizes) {
    const std::wstring path = widen_ascii(VELTRANE_ICO);
    bool found = false;
    const std::string file = Win32Folder::read_bytes(path, &found);
    ASSERT_TRUE(found) << VELTRANE_ICO;
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    ASSERT_GE(file.size(), 6u + 16u * ICON_COUNT);
    EXPECT_EQ(little_endian_16(bytes), 0) << "reserved";
    EXPECT_EQ(little_endian_16(bytes + 2), 1) << "type 1 is an icon";
    ASSERT_EQ(little_endian_16(bytes + 4), ICON_COUNT);
    uint32_t next_offset = 6 + 16 * ICON_COUNT;
    for (int i = 0; i < ICON_COUNT; ++i) {
        const unsigned char* entry = bytes + 6 + 16 * i;
        const int side = ICON_SIZES[i];
        const int stored_side = side == 256 ? 0 : side;  // 0 stands for 256
        EXPECT_EQ(entry[0], stored_side) << "width of image " << i;
        EXPECT_EQ(entry[1], stored_side) << "height of image " << i;
        EXPECT_EQ(little_endian_16(entry + 4), 1) << "planes of image " << i;
        EXPECT_EQ(little_endian_16(entry + 6), 32) << "bits per pixel of image " << i;
        const uint32_t size = little_endian_32(entry + 8);
        const uint32_t offset = little_endian_32(entry + 12);
        EXPECT_EQ(offset, next_offset) << "image " << i << " follows the one before";
        ASSERT_LE(uint64_t{offset} + size, file.size()) << "image " << i << " lies inside the file";
        EXPECT_EQ(png_fault(bytes + offset, size, side), "") << side << " pixels";
        next_offset = offset + size;
    }
    EXPECT_EQ(next_offset, file.size()) << "nothing after the last image";
}

// veltrane.exe loaded as data, never run.
class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(widen_ascii(VELTRANE_EXE).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << VELTRANE_EXE << ": error " << GetLastError();
    }
    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
    }

    // The bytes of one resource; empty when it is missing.
    std::string resource(LPCWSTR type, LPCWSTR name) const {
        const HRSRC found = FindResourceW(module_, name, type);
        if (found == nullptr) return "";
        const HGLOBAL loaded = LoadResource(module_, found);
        const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (data == nullptr) return "";
        return std::string(static_cast<const char*>(data), SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, IconGroupOneHoldsTheSevenPngImages) {
    const std::string group = resource(TYPE_GROUP_ICON, MAKEINTRESOURCEW(1));
    ASSERT_EQ(group.size(), 6u + 14u * ICON_COUNT) << "icon group 1 with seven entries";
    const auto* bytes = reinterpret_cast<const unsigned char*>(group.data());
    EXPECT_EQ(little_endian_16(bytes + 2), 1);
    ASSERT_EQ(little_endian_16(bytes + 4), ICON_COUNT);
    for (int i = 0; i < ICON_COUNT; ++i) {
        const unsigned char* entry = bytes + 6 + 14 * i;
        const int side = ICON_SIZES[i];
        EXPECT_EQ(entry[0], side == 256 ? 0 : side) << "width of entry " << i;
        EXPECT_EQ(little_endian_16(entry + 6), 32) << "bits per pixel of entry " << i;
        const uint16_t id = little_endian_16(entry + 12);
        const std::string image = resource(TYPE_ICON, MAKEINTRESOURCEW(id));
        ASSERT_EQ(image.size(), little_endian_32(entry + 8)) << "icon " << id << " has the size its entry gives";
        EXPECT_EQ(png_fault(reinterpret_cast<const unsigned char*>(image.data()), image.size(), side), "")
            << side << " pixels";
    }
}

TEST_F(ProgramResources, LoadsAsTheWindowsIcon) {
    // The system picks the image of the size it asks for from group 1.
    for (int side : {16, 32, 48, 256}) {
        const HANDLE icon = LoadImageW(module_, MAKEINTRESOURCEW(1), IMAGE_ICON, side, side, 0);
        ASSERT_NE(icon, nullptr) << side << " pixels";
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info)) << side;
        BITMAP colour = {};
        ASSERT_NE(info.hbmColor, nullptr) << side;
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, side);
        EXPECT_EQ(colour.bmHeight, side);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(static_cast<HICON>(icon));
    }
}

std::wstring version_value(const std::vector<char>& block, const wchar_t* name) {
    const std::wstring query = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || value == nullptr) return L"(missing)";
    return static_cast<const wchar_t*>(value);
}

TEST(ProgramVersion, NamesTheProductVersionAndTool) {
    const std::wstring path = widen_ascii(VELTRANE_EXE);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version information";
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixed_length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixed_length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1)) << "1.0";
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 0)) << ".0.0";
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const std::wstring tool = std::to_wstring(current_tool().id);
    EXPECT_EQ(version_value(block, L"ProductName"), L"Veltrane");
    EXPECT_EQ(version_value(block, L"FileVersion"), widen_ascii(VELTRANE_VERSION_TEXT));
    EXPECT_EQ(version_value(block, L"ProductVersion"), L"1.0.0");
    EXPECT_EQ(version_value(block, L"OriginalFilename"), L"veltrane.exe");
    EXPECT_EQ(version_value(block, L"ToolNumber"), tool) << "the version names the catalogue's tool";
    EXPECT_EQ(version_value(block, L"FileDescription"), L"肠外营养液渗透压估算（工具 " + tool + L"）");

    struct Translation {
        WORD language;
        WORD code_page;
    };
    Translation* translation = nullptr;
    UINT translation_length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &translation_length));
    ASSERT_EQ(translation_length, sizeof(Translation));
    EXPECT_EQ(translation->language, 0x0804) << "Simplified Chinese";
    EXPECT_EQ(translation->code_page, 1200) << "UTF-16";
}

TEST_F(ProgramResources, ManifestRunsAsInvokerOnWindows7To11WithoutDpiEntry) {
    const std::string manifest = resource(TYPE_MANIFEST, MAKEINTRESOURCEW(1));
    ASSERT_FALSE(manifest.empty()) << "manifest resource 1";
    struct Needed {
        const char* name;
        const char* text;
    };
    const Needed needed[] = {
        {"asInvoker", "level=\"asInvoker\""},
        {"Windows 7", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"},
        {"Windows 8", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"},
        {"Windows 8.1", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"},
        {"Windows 10 and 11", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"},
    };
    for (const Needed& n : needed) EXPECT_NE(manifest.find(n.text), std::string::npos) << n.name;
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos) << "the program calls SetProcessDPIAware itself";
    EXPECT_EQ(manifest.find("requireAdministrator"), std::string::npos);
}

}  // namespace
