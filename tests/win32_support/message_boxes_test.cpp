// The message-box recorder that the window tests rely on: each box shown on
// the thread is recorded with its text, caption, icon and owner, and closed.
#include "tests/win32_support/message_boxes.h"

#include <gtest/gtest.h>

namespace {

struct BoxCase {
    const char* name;
    const wchar_t* text;
    const wchar_t* caption;
    UINT style;
    UINT icon;
};

const BoxCase BOX_CASES[] = {
    {"Information", L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。", L"已保存",
     MB_OK | MB_ICONINFORMATION, MB_ICONINFORMATION},
    {"Warning", L"无法写入记录文件：C:\\x\\T260.csv\r\n第二行", L"保存失败", MB_OK | MB_ICONWARNING,
     MB_ICONWARNING},
    {"Error", L"error text", L"error caption", MB_OK | MB_ICONERROR, MB_ICONERROR},
    {"NoIcon", L"plain", L"plain caption", MB_OK, 0},
};

HWND make_owner_window() {
    return CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST(MessageBoxRecorder, RecordsTextCaptionIconAndOwnerAndPressesOk) {
    HWND owner = make_owner_window();
    ASSERT_NE(owner, nullptr);
    ScopedBoxRecorder recording;
    int32_t index = 0;
    for (const BoxCase& box : BOX_CASES) {
        int answer = MessageBoxW(owner, box.text, box.caption, box.style);
        EXPECT_EQ(answer, IDOK) << box.name;
        ASSERT_EQ(recorded_box_count(), index + 1) << box.name;
        const RecordedBox& record = recorded_box(index);
        EXPECT_STREQ(record.text, box.text) << box.name;
        EXPECT_STREQ(record.caption, box.caption) << box.name;
        EXPECT_EQ(record.icon, box.icon) << box.name;
        EXPECT_EQ(record.owner, owner) << box.name;
        ++index;
    }
    DestroyWindow(owner);
}

TEST(MessageBoxRecorder, BeginClearsEarlierRecordsAndEndStopsRecording) {
    begin_recording_boxes();
    MessageBoxW(nullptr, L"first", L"one", MB_OK);
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_EQ(recorded_box(0).owner, nullptr);
    begin_recording_boxes();
    EXPECT_EQ(recorded_box_count(), 0);
    MessageBoxW(nullptr, L"second", L"two", MB_OK);
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_STREQ(recorded_box(0).text, L"second");
    end_recording_boxes();
    EXPECT_EQ(recorded_box_count(), 1);
}

}  // namespace
