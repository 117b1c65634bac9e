// Copy, reset, about and the save button.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <shlobj.h>

#include "catalogue/catalogue.h"
#include "records/records.h"
#include "tests/ui/ui_tools.h"
#include "tests/ui/window_test.h"
#include "tests/win32_support/message_boxes.h"
#include "ui/window_state.h"

namespace {

using WindowCommandsTest = MainWindowTest;

const std::wstring OLD_CLIPBOARD = L"旧的剪贴板内容";

TEST_F(WindowCommandsTest, CopyOfTheDefaultsPutsNameReportAndVerdictOnTheClipboard) {
    ClipboardGuard guard;
    open(current_tool());
    command(1001);
    put_on_clipboard(OLD_CLIPBOARD.c_str());
    ScopedBoxRecorder boxes;
    command(1003);
    EXPECT_EQ(recorded_box_count(), 0);
    EXPECT_EQ(clipboard_text(), L"Veltrane\r\n估算渗透压：900 mOsm/L\r\n—— 可经外周静脉输注");
    EXPECT_STREQ(state().status_text, L"结果已复制到剪贴板");
}

TEST_F(WindowCommandsTest, CopyBeforeAnyComputeAsksForOneAndLeavesTheClipboard) {
    ClipboardGuard guard;
    open(current_tool());
    put_on_clipboard(OLD_CLIPBOARD.c_str());
    ScopedBoxRecorder boxes;
    command(1003);
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_STREQ(recorded_box(0).text, L"请先点击“计算”生成结果。");
    EXPECT_STREQ(recorded_box(0).caption, L"提示");
    EXPECT_EQ(recorded_box(0).icon, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(recorded_box(0).owner, main());
    EXPECT_EQ(clipboard_text(), OLD_CLIPBOARD);
    EXPECT_STREQ(state().status_text, L"就绪：填写参数后按 F5 或点击“计算”");
}

// Another program holds the clipboard open for the whole copy.
class ClipboardHolder {
public:
    ClipboardHolder()
        : opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          thread_(CreateThread(nullptr, 0, hold, this, 0, nullptr)) {
        WaitForSingleObject(opened_, 10000);
    }
    ~ClipboardHolder() {
        SetEvent(release_);
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
        CloseHandle(release_);
        CloseHandle(opened_);
    }
    bool held() const { return held_; }

private:
    static DWORD WINAPI hold(void* self_pointer) {
        auto* self = static_cast<ClipboardHolder*>(self_pointer);
        self->held_ = OpenClipboard(nullptr) != FALSE;
        SetEvent(self->opened_);
        WaitForSingleObject(self->release_, 10000);
        if (self->held_) {
            CloseClipboard();
        }
        return 0;
    }
    HANDLE opened_;
    HANDLE release_;
    HANDLE thread_;
    bool held_ = false;
};

TEST_F(WindowCommandsTest, ClipboardThatCannotBeOpenedIsReportedAndNotCalledCopied) {
    ClipboardGuard guard;
    open(current_tool());
    command(1001);
    put_on_clipboard(OLD_CLIPBOARD.c_str());
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.held());
        ScopedBoxRecorder boxes;
        command(1003);
        ASSERT_EQ(recorded_box_count(), 1);
        EXPECT_STREQ(recorded_box(0).text, L"无法访问剪贴板，结果未复制，请重试。");
        EXPECT_STREQ(recorded_box(0).caption, L"复制失败");
        EXPECT_EQ(recorded_box(0).icon, static_cast<UINT>(MB_ICONWARNING));
        EXPECT_EQ(recorded_box(0).owner, main());
    }
    EXPECT_STREQ(state().status_text, L"计算完成  Veltrane");
    EXPECT_EQ(clipboard_text(), OLD_CLIPBOARD);

    // Once the clipboard is free again the same command copies.
    command(1003);
    EXPECT_EQ(clipboard_text(), L"Veltrane\r\n估算渗透压：900 mOsm/L\r\n—— 可经外周静脉输注");
    EXPECT_STREQ(state().status_text, L"结果已复制到剪贴板");
}

TEST_F(WindowCommandsTest, CopyOfAReportToolHasNoVerdict) {
    ClipboardGuard guard;
    open(compatibility_tool());
    command(1001);
    command(1003);
    EXPECT_EQ(clipboard_text(),
              L"Compat\r\n"
              L"待查：1 号 头孢曲松  +  2 号 葡萄糖酸钙\r\n"
              L"\r\n"
              L"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索\r\n"
              L"      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺\r\n"
              L"\r\n"
              L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。\r\n");
}

TEST_F(WindowCommandsTest, CopyOfALongReportTakesItsFirst1023Characters) {
    ClipboardGuard guard;
    open(rota_tool());
    command(1001);
    const std::wstring report = window_text(state().results_box);
    ASSERT_GT(report.size(), 1023u);
    command(1003);
    EXPECT_EQ(clipboard_text(), L"Rota\r\n" + report.substr(0, 1023));
}

TEST_F(WindowCommandsTest, ResetPutsTheDefaultsBackAndClearsTheResult) {
    ClipboardGuard guard;
    open(plain_tool());
    set_field(0, L"20");
    set_field(1, L"0");
    command(1001);
    ASSERT_EQ(state().verdict_level, 3);
    command(1003);
    const std::wstring copied = clipboard_text();
    const std::wstring copy_text = state().copy_text;
    SetWindowTextW(state().note_label, L"别的内容");

    command(1004);
    EXPECT_EQ(window_text(field(0)), L"1");
    EXPECT_EQ(window_text(field(1)), L"2.5");
    EXPECT_EQ(window_text(field(2)), L"1.23457e+06");
    EXPECT_EQ(window_text(state().results_box), L"");
    EXPECT_EQ(window_text(state().verdict_line), L"填写左侧参数，点击“计算”");
    EXPECT_EQ(window_text(state().note_label), L"");  // the tool has no note
    EXPECT_STREQ(state().status_text, L"已恢复默认值");
    EXPECT_STREQ(state().last_report, L"");
    EXPECT_EQ(state().verdict_level, 0);
    EXPECT_EQ(state().copy_text, copy_text);
    EXPECT_EQ(state().input_values[0], 20.0);
    EXPECT_EQ(state().input_values[1], 0.0);
    EXPECT_EQ(clipboard_text(), copied);

    ScopedBoxRecorder boxes;
    command(1003);
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_STREQ(recorded_box(0).caption, L"提示");
    EXPECT_EQ(clipboard_text(), copied);
}

TEST_F(WindowCommandsTest, ResetShowsTheToolsNoteAgain) {
    open(current_tool());
    SetWindowTextW(state().note_label, L"x");
    command(1004);
    EXPECT_EQ(window_text(state().note_label), L"外周静脉渗透压应<900mOsm/L，过高需中心静脉输注。");
}

TEST_F(WindowCommandsTest, AboutShowsTheSameTextBeforeAndAfterACompute) {
    open(current_tool());
    const std::wstring about =
        L"Veltrane\r\n"
        L"\r\n"
        L"分类：营养支持\r\n"
        L"参考依据：渗透压(mOsm/L)≈葡萄糖(g/L)×5+氨基酸(g/L)×8+Na(mmol/L)×2\r\n"
        L"\r\n"
        L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
        L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n"
        L"\r\n"
        L"版本 V1.0    官网：www.quelm-med.example";
    ScopedBoxRecorder boxes;
    command(1005);
    command(1001);
    command(1005);
    ASSERT_EQ(recorded_box_count(), 2);
    for (int32_t i = 0; i < 2; ++i) {
        EXPECT_EQ(recorded_box(i).text, about) << "box " << i;
        EXPECT_STREQ(recorded_box(i).caption, L"关于本工具") << "box " << i;
        EXPECT_EQ(recorded_box(i).icon, static_cast<UINT>(MB_ICONINFORMATION)) << "box " << i;
        EXPECT_EQ(recorded_box(i).owner, main()) << "box " << i;
    }
    EXPECT_STREQ(state().status_text, L"计算完成  Veltrane");
}

TEST_F(WindowCommandsTest, SaveBeforeAnyComputeIsRefusedBySaveRecord) {
    open(plain_tool());
    ScopedBoxRecorder boxes;
    command(1002);
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_STREQ(recorded_box(0).text, L"请先点击“计算”生成结果，再保存记录。");
    EXPECT_STREQ(recorded_box(0).caption, L"提示");
    EXPECT_EQ(recorded_box(0).owner, main());
    EXPECT_STREQ(state().status_text, L"就绪：填写参数后按 F5 或点击“计算”");
}

// The record file the save command writes for a tool number, in this
// prefix's local application-data folder.
std::wstring record_file_of(int32_t tool_id) {
    wchar_t base[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, base);
    wchar_t folder[RECORD_FOLDER_CAPACITY];
    wchar_t path[RECORD_PATH_CAPACITY];
    build_records_folder(base, folder, RECORD_FOLDER_CAPACITY);
    build_record_path(folder, tool_id, path, RECORD_PATH_CAPACITY);
    return path;
}

TEST_F(WindowCommandsTest, SaveAfterAComputeWritesTheValuesOfThatCompute) {
    // No file left by an earlier run may answer for this save.
    DeleteFileW(record_file_of(plain_tool().id).c_str());
    open(plain_tool());
    set_field(0, L"3");
    command(1001);
    set_field(0, L"99");  // typed after the compute: not what is saved

    ScopedBoxRecorder boxes;
    command(1002);
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_STREQ(recorded_box(0).caption, L"已保存");
    const std::wstring status = state().status_text;
    const std::wstring prefix = L"记录已保存：";
    ASSERT_EQ(status.compare(0, prefix.size(), prefix), 0) << "status line";
    const std::wstring path = status.substr(prefix.size());
    ASSERT_GE(path.size(), 8u);
    EXPECT_EQ(path.substr(path.size() - 8), L"T951.csv");

    FILE* file = _wfopen(path.c_str(), L"rb");
    ASSERT_NE(file, nullptr);
    char bytes[4096];
    const size_t size = fread(bytes, 1, sizeof bytes - 1, file);
    fclose(file);
    DeleteFileW(path.c_str());
    bytes[size] = '\0';
    const std::string content(bytes, size);
    EXPECT_NE(content.find(",Plain,\xE7\x94\xB2\xE5\x80\xBC=3,"), std::string::npos) << content;  // 甲值=3
    EXPECT_EQ(content.find("=99"), std::string::npos) << content;
}

}  // namespace
