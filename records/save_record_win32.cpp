// The save command: the record of the last result goes to the tool's CSV
// file below the user's local application-data folder, and the user is told
// whether it got there. The confirmation appears only when the record
// reached the file whole; any other outcome is a warning naming the file.
#include "records/save_record.h"

#include <shlobj.h>

#include "engine/text.h"
#include "platform/platform.h"
#include "records/records.h"

namespace {

// Capacity of the failure message: the path and the two fixed texts.
constexpr int32_t FAILURE_MESSAGE_CAPACITY = RECORD_PATH_CAPACITY + 64;

// Shown as the file when the local application-data folder cannot be
// found: the place the record would have gone, in the user's terms.
const wchar_t UNKNOWN_BASE_FOLDER[] = L"%LOCALAPPDATA%";

// The footer shows the new status line at the next paint; the background
// is not erased (the paint covers it).
void show_status(HWND owner) {
    InvalidateRect(owner, nullptr, FALSE);
}

void report_saved(HWND owner, const wchar_t* path, wchar_t* status_text,
                  int32_t status_capacity) {
    text_format(status_text, status_capacity, L"记录已保存：%ls", path);
    show_status(owner);
    MessageBoxW(owner, L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。", L"已保存",
                MB_OK | MB_ICONINFORMATION);
}

void report_failed(HWND owner, const wchar_t* path, wchar_t* status_text,
                   int32_t status_capacity) {
    text_copy(status_text, status_capacity, L"记录保存失败");
    show_status(owner);
    wchar_t message[FAILURE_MESSAGE_CAPACITY];
    text_format(message, FAILURE_MESSAGE_CAPACITY,
                L"无法写入记录文件：%ls\r\n请关闭正在使用该文件的程序后重试。", path);
    MessageBoxW(owner, message, L"保存失败", MB_OK | MB_ICONWARNING);
}

}  // namespace

void save_record_below(const wchar_t* base_folder, HWND owner, const ToolDefinition& tool,
                       const double* input_values, const wchar_t* last_report,
                       wchar_t* status_text, int32_t status_capacity) {
    if (last_report == nullptr || last_report[0] == L'\0') {
        MessageBoxW(owner, L"请先点击“计算”生成结果，再保存记录。", L"提示",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }

    wchar_t path[RECORD_PATH_CAPACITY] = {};
    if (base_folder == nullptr) {
        // No folder to write below: name the file as it would have been
        // and touch nothing.
        wchar_t folder[RECORD_FOLDER_CAPACITY];
        build_records_folder(UNKNOWN_BASE_FOLDER, folder, RECORD_FOLDER_CAPACITY);
        build_record_path(folder, tool.id, path, RECORD_PATH_CAPACITY);
        report_failed(owner, path, status_text, status_capacity);
        return;
    }

    const LocalTime now = platform_local_time();
    if (append_tool_record(base_folder, tool, input_values, last_report, now, path,
                           RECORD_PATH_CAPACITY)) {
        report_saved(owner, path, status_text, status_capacity);
    } else {
        report_failed(owner, path, status_text, status_capacity);
    }
}

void save_record(HWND owner, const ToolDefinition& tool, const double* input_values,
                 const wchar_t* last_report, wchar_t* status_text, int32_t status_capacity) {
    // The refusal of an empty result comes first: no folder lookup then.
    if (last_report == nullptr || last_report[0] == L'\0') {
        save_record_below(nullptr, owner, tool, input_values, last_report, status_text,
                          status_capacity);
        return;
    }
    wchar_t base_folder[MAX_PATH] = {};
    const bool found =
        SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, base_folder));
    save_record_below(found ? base_folder : nullptr, owner, tool, input_values, last_report,
                      status_text, status_capacity);
}
