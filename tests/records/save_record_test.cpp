// The save command under Wine: its message boxes (recorded and closed by the
// test), the status line, the repaint request and the bytes in the real
// local application-data folder of the Wine prefix. Each test uses a tool
// number of its own and removes its file again, so it leaves no record file
// behind for other suites that save.
#include "records/save_record.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "engine/text.h"
#include "records/records.h"
#include "tests/records/temp_folder.h"
#include "tests/win32_support/message_boxes.h"

namespace {

constexpr int32_t STATUS_CAPACITY = 256;
const wchar_t READY_STATUS[] = L"就绪：填写参数后按 F5 或点击“计算”";
const double DEFAULT_VALUES[MAX_PARAMETERS] = {100, 40, 40};
const wchar_t DEFAULT_REPORT[] = L"估算渗透压：900 mOsm/L\r\n";

// A plain top-level window standing in for the main window: it counts
// background erasures and paints, so a test can tell how it was invalidated.
struct OwnerCounts {
    int erases;
    int paints;
};
OwnerCounts owner_counts;

LRESULT CALLBACK owner_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_ERASEBKGND:
        ++owner_counts.erases;
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        ++owner_counts.paints;
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

HWND make_owner_window() {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = owner_proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"SaveRecordTestOwner";
    RegisterClassExW(&window_class);
    HWND window = CreateWindowExW(0, L"SaveRecordTestOwner", L"Veltrane", WS_OVERLAPPEDWINDOW, 0, 0,
                                  400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

// Hands out pending messages (the repaint among them), as the window's
// message loop would between two commands.
void pump_messages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring local_app_data() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder))) {
        return std::wstring();
    }
    return folder;
}

std::string utf8(const std::wstring& text) {
    char bytes[RECORD_UTF8_CAPACITY];
    const int32_t count = platform_to_utf8(text.c_str(), bytes, RECORD_UTF8_CAPACITY);
    return count > 0 ? std::string(bytes, static_cast<size_t>(count - 1)) : std::string();
}

// The record line that a save at `time` writes for the catalogue's tool at
// its defaults.
std::string default_record_at(const LocalTime& time) {
    wchar_t stamp[64];
    text_format(stamp, 64, L"%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
              time.minute, time.second);
    return utf8(std::wstring(stamp) +
                L",Veltrane,葡萄糖浓度=100,氨基酸浓度=40,钠浓度=40,估算渗透压：900 mOsm/L\r\n"
                L"\r\n");
}

const char HEADER_BYTES[] =
    "\xEF\xBB\xBF"
    "时间,工具,葡萄糖浓度,氨基酸浓度,钠浓度,结果\r\n";

class SaveRecord : public ::testing::Test {
protected:
    void SetUp() override {
        base = local_app_data();
        ASSERT_FALSE(base.empty()) << "no local application-data folder in this prefix";
        records_folder = base + L"\\QuelmMedSuite\\records";
        owner = make_owner_window();
        ASSERT_NE(owner, nullptr);
        text_copy_status(READY_STATUS);
        begin_recording_boxes();
    }

    void TearDown() override {
        end_recording_boxes();
        if (owner != nullptr) DestroyWindow(owner);
        for (const std::wstring& file : files_to_remove) {
            DeleteFileW(file.c_str());
            RemoveDirectoryW(file.c_str());
        }
        // The records folder stays: another test process may be saving
        // into it right now.
    }

    // A copy of the catalogue's tool under its own number, and the path of
    // its record file, removed after the test.
    ToolDefinition tool_numbered(int32_t id) {
        ToolDefinition tool = current_tool();
        tool.id = id;
        wchar_t name[16];
        text_format(name, 16, L"\\T%03d.csv", id);
        file = records_folder + name;
        DeleteFileW(file.c_str());
        files_to_remove.push_back(file);
        return tool;
    }

    void text_copy_status(const wchar_t* text) { lstrcpynW(status, text, STATUS_CAPACITY); }

    bool file_exists() const { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::wstring base;
    std::wstring records_folder;
    std::wstring file;
    std::vector<std::wstring> files_to_remove;
    HWND owner = nullptr;
    wchar_t status[STATUS_CAPACITY] = {};
};

TEST_F(SaveRecord, WithoutResultRefusesAndTouchesNothing) {
    const ToolDefinition tool = tool_numbered(902);
    save_record(owner, tool, DEFAULT_VALUES, L"", status, STATUS_CAPACITY);
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_STREQ(recorded_box(0).text, L"请先点击“计算”生成结果，再保存记录。");
    EXPECT_STREQ(recorded_box(0).caption, L"提示");
    EXPECT_EQ(recorded_box(0).icon, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(recorded_box(0).owner, owner);
    EXPECT_STREQ(status, READY_STATUS);
    EXPECT_FALSE(file_exists());
}

TEST_F(SaveRecord, GoodSavesAppendAndConfirm) {
    const ToolDefinition tool = tool_numbered(901);
    const std::wstring saved_status = L"记录已保存：" + file;
    std::string first_file_bytes;

    for (int save = 1; save <= 2; ++save) {
        const LocalTime before = platform_local_time();
        pump_messages();
        owner_counts = {};
        save_record(owner, tool, DEFAULT_VALUES, DEFAULT_REPORT, status, STATUS_CAPACITY);
        pump_messages();
        const LocalTime after = platform_local_time();

        EXPECT_EQ(std::wstring(status), saved_status) << "save " << save;
        ASSERT_EQ(recorded_box_count(), save) << "save " << save;
        const RecordedBox& box = recorded_box(save - 1);
        EXPECT_STREQ(box.text, L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。");
        EXPECT_STREQ(box.caption, L"已保存");
        EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_EQ(box.owner, owner);
        // The status line is repainted without erasing the background.
        EXPECT_GE(owner_counts.paints, 1) << "save " << save;
        EXPECT_EQ(owner_counts.erases, 0) << "save " << save;

        // One byte-order mark and header, then one record per save; the
        // stamp is the time of the save (the clock may tick during it).
        const std::string bytes = read_file_bytes(file);
        const std::string head = save == 1 ? std::string(HEADER_BYTES) : first_file_bytes;
        const std::string with_before = head + default_record_at(before);
        const std::string with_after = head + default_record_at(after);
        EXPECT_TRUE(bytes == with_before || bytes == with_after)
            << "save " << save << ": " << bytes << "\nexpected: " << with_before;
        if (save == 1) first_file_bytes = bytes;
    }
}

TEST_F(SaveRecord, FileHeldWithoutSharingIsReportedAsFailure) {
    const ToolDefinition tool = tool_numbered(903);
    // First save makes the file; then another program holds it open with no
    // sharing at all, so it can be neither read nor appended.
    save_record(owner, tool, DEFAULT_VALUES, DEFAULT_REPORT, status, STATUS_CAPACITY);
    ASSERT_EQ(recorded_box_count(), 1);
    ASSERT_STREQ(recorded_box(0).caption, L"已保存");
    const std::string before = read_file_bytes(file);

    HANDLE holder = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    text_copy_status(READY_STATUS);
    save_record(owner, tool, DEFAULT_VALUES, DEFAULT_REPORT, status, STATUS_CAPACITY);
    CloseHandle(holder);

    ASSERT_EQ(recorded_box_count(), 2);
    const RecordedBox& box = recorded_box(1);
    EXPECT_EQ(std::wstring(box.text),
              L"无法写入记录文件：" + file + L"\r\n请关闭正在使用该文件的程序后重试。");
    EXPECT_STREQ(box.caption, L"保存失败");
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(box.owner, owner);
    EXPECT_STREQ(status, L"记录保存失败");
    EXPECT_EQ(read_file_bytes(file), before);
}

TEST_F(SaveRecord, RecordFileNameTakenByFolderIsReportedAsFailure) {
    const ToolDefinition tool = tool_numbered(904);
    create_folder_chain(file.c_str());
    save_record(owner, tool, DEFAULT_VALUES, DEFAULT_REPORT, status, STATUS_CAPACITY);
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_EQ(std::wstring(recorded_box(0).text),
              L"无法写入记录文件：" + file + L"\r\n请关闭正在使用该文件的程序后重试。");
    EXPECT_STREQ(recorded_box(0).caption, L"保存失败");
    EXPECT_EQ(recorded_box(0).icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_STREQ(status, L"记录保存失败");
}

TEST_F(SaveRecord, UnknownLocalAppDataFolderIsRefusedBeforeAnyFile) {
    const ToolDefinition tool = tool_numbered(905);
    save_record_below(nullptr, owner, tool, DEFAULT_VALUES, DEFAULT_REPORT, status,
                      STATUS_CAPACITY);
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_STREQ(recorded_box(0).text,
                 L"无法写入记录文件：%LOCALAPPDATA%\\QuelmMedSuite\\records\\T905.csv\r\n"
                 L"请关闭正在使用该文件的程序后重试。");
    EXPECT_STREQ(recorded_box(0).caption, L"保存失败");
    EXPECT_EQ(recorded_box(0).icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(recorded_box(0).owner, owner);
    EXPECT_STREQ(status, L"记录保存失败");
    EXPECT_FALSE(file_exists());
}

TEST_F(SaveRecord, SaveBelowGivenFolderWritesThereAndConfirms) {
    TempFolder temp;
    ASSERT_FALSE(temp.path.empty());
    const std::wstring local = temp.child(L"护士") + L"\\AppData\\Local";
    const std::wstring target = local + L"\\QuelmMedSuite\\records\\T260.csv";
    const LocalTime before = platform_local_time();
    save_record_below(local.c_str(), owner, current_tool(), DEFAULT_VALUES, DEFAULT_REPORT, status,
                      STATUS_CAPACITY);
    const LocalTime after = platform_local_time();

    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_STREQ(recorded_box(0).caption, L"已保存");
    EXPECT_EQ(std::wstring(status), L"记录已保存：" + target);
    const std::string bytes = read_file_bytes(target);
    EXPECT_TRUE(bytes == HEADER_BYTES + default_record_at(before) ||
                bytes == HEADER_BYTES + default_record_at(after))
        << bytes;
}

}  // namespace
