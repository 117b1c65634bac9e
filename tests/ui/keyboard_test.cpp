// Enter and F5 through the message loop's diversion, the buttons through
// real clicks, and run_main_window with its own loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "catalogue/catalogue.h"
#include "tests/ui/ui_tools.h"
#include "tests/ui/window_test.h"
#include "tests/win32_support/message_boxes.h"
#include "ui/main_window.h"
#include "ui/ui.h"
#include "ui/window_state.h"

namespace {

using WindowKeyboardTest = MainWindowTest;

const std::wstring READY = L"就绪：填写参数后按 F5 或点击“计算”";
const std::wstring COMPUTED = L"计算完成  Veltrane";

TEST_F(WindowKeyboardTest, EnterAndF5InAnyChildStartTheCompute) {
    struct Case {
        const char* name;
        int32_t target;  // 0..2 field, 3 results box, 4 compute button, 5 copy button
        WPARAM key;
    };
    const Case cases[] = {
        {"F5 in field 1", 0, VK_F5},       {"Enter in field 1", 0, VK_RETURN},
        {"F5 in field 3", 2, VK_F5},       {"Enter in field 2", 1, VK_RETURN},
        {"F5 in results box", 3, VK_F5},   {"Enter in results box", 3, VK_RETURN},
        {"F5 on compute button", 4, VK_F5}, {"Enter on copy button", 5, VK_RETURN},
    };
    for (const Case& c : cases) {
        open(current_tool());
        set_field(0, L"101");
        HWND target = c.target <= 2   ? field(c.target)
                      : c.target == 3 ? state().results_box
                      : c.target == 4 ? button(1001)
                                      : button(1003);
        SetFocus(target);
        ScopedBoxRecorder boxes;
        press(target, c.key);
        EXPECT_EQ(recorded_box_count(), 0) << c.name << ": the copy button saw no key";
        EXPECT_EQ(state().status_text, COMPUTED) << c.name;
        EXPECT_EQ(state().verdict_level, 3) << c.name;
        EXPECT_EQ(GetFocus(), main()) << c.name;
        EXPECT_EQ(window_text(field(0)), L"101") << c.name << ": the field got nothing";
        EXPECT_EQ(window_text(state().results_box), L"估算渗透压：905 mOsm/L\r\n") << c.name;
        TearDown();
    }
}

TEST_F(WindowKeyboardTest, KeysOnTheMainWindowItselfDoNothing) {
    open(current_tool());
    command(1001);
    ASSERT_EQ(GetFocus(), main());
    set_field(0, L"101");
    press(main(), VK_F5);
    press(main(), VK_RETURN);
    EXPECT_EQ(state().verdict_level, 0) << "no second compute";
    EXPECT_STREQ(state().last_report, L"估算渗透压：900 mOsm/L\r\n");
}

TEST_F(WindowKeyboardTest, OnlyKeyDownOfEnterAndF5OnAChildIsDiverted) {
    open(current_tool());
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    struct Case {
        const char* name;
        HWND window;
        UINT message;
        WPARAM key;
        bool diverted;
    };
    const Case cases[] = {
        {"F5 down in a field", field(0), WM_KEYDOWN, VK_F5, true},
        {"Enter down in a field", field(1), WM_KEYDOWN, VK_RETURN, true},
        {"F5 up", field(0), WM_KEYUP, VK_F5, false},
        {"Enter as a character", field(0), WM_CHAR, L'\r', false},
        {"F6", field(0), WM_KEYDOWN, VK_F6, false},
        {"Tab", field(0), WM_KEYDOWN, VK_TAB, false},
        {"Space", field(0), WM_KEYDOWN, VK_SPACE, false},
        {"F5 on the main window", main(), WM_KEYDOWN, VK_F5, false},
        {"F5 on another top-level window", other, WM_KEYDOWN, VK_F5, false},
        {"F5 without a window", nullptr, WM_KEYDOWN, VK_F5, false},
    };
    for (const Case& c : cases) {
        edit_window_state().status_text[0] = L'\0';
        MSG message = {};
        message.hwnd = c.window;
        message.message = c.message;
        message.wParam = c.key;
        EXPECT_EQ(divert_to_compute(message), c.diverted) << c.name;
        EXPECT_EQ(state().status_text == COMPUTED, c.diverted) << c.name << ": compute ran";
    }
    DestroyWindow(other);
}

TEST_F(WindowKeyboardTest, TabDoesNotMoveTheFocus) {
    open(current_tool());
    ASSERT_EQ(GetFocus(), field(0));
    press(field(0), VK_TAB);
    EXPECT_EQ(GetFocus(), field(0));
}

TEST_F(WindowKeyboardTest, ClickingEachButtonReachesItsCommand) {
    ClipboardGuard guard;
    open(current_tool());
    ScopedBoxRecorder boxes;
    SendMessageW(button(1003), BM_CLICK, 0, 0);  // copy without a result
    pump_messages();
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_STREQ(recorded_box(0).text, L"请先点击“计算”生成结果。");
    SendMessageW(button(1002), BM_CLICK, 0, 0);  // save without a result
    pump_messages();
    ASSERT_EQ(recorded_box_count(), 2);
    EXPECT_STREQ(recorded_box(1).text, L"请先点击“计算”生成结果，再保存记录。");
    SendMessageW(button(1001), BM_CLICK, 0, 0);
    pump_messages();
    EXPECT_EQ(state().status_text, COMPUTED);
    SendMessageW(button(1003), BM_CLICK, 0, 0);
    pump_messages();
    EXPECT_STREQ(state().status_text, L"结果已复制到剪贴板");
    SendMessageW(button(1004), BM_CLICK, 0, 0);
    pump_messages();
    EXPECT_STREQ(state().status_text, L"已恢复默认值");
    SendMessageW(button(1005), BM_CLICK, 0, 0);
    pump_messages();
    ASSERT_EQ(recorded_box_count(), 3);
    EXPECT_STREQ(recorded_box(2).caption, L"关于本工具");
}

TEST_F(WindowKeyboardTest, CommandWithAnyNotificationCodeCountsAndOtherIdsDoNot) {
    open(current_tool());
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(1001, 0x1234), 0);
    EXPECT_EQ(state().status_text, COMPUTED);
    command(1004);
    for (int32_t id : {1000, 1006, 2000, 3000, 0}) {
        EXPECT_EQ(SendMessageW(main(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0), 0) << id;
        EXPECT_STREQ(state().status_text, L"已恢复默认值") << id;
    }
}

// run_main_window drives its own loop: a hook sees the focus as the loop
// takes its first message, and a thread timer acts as the user.
struct LoopScript {
    int32_t tick = 0;
    bool first_message_seen = false;
    HWND first_focus = reinterpret_cast<HWND>(1);
    bool visible = false;
    std::wstring status_after_f5;
};
LoopScript script;
HHOOK first_message_hook = nullptr;

LRESULT CALLBACK note_first_message(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && !script.first_message_seen) {
        script.first_message_seen = true;
        script.first_focus = GetFocus();
        script.visible = IsWindowVisible(window_state().main_window) != FALSE;
    }
    return CallNextHookEx(first_message_hook, code, wparam, lparam);
}

void CALLBACK loop_step(HWND, UINT, UINT_PTR timer, DWORD) {
    const WindowState& s = window_state();
    switch (script.tick++) {
    case 0:
        if (s.param_edits[0] != nullptr) {
            PostMessageW(s.param_edits[0], WM_KEYDOWN, VK_F5, 1);
        }
        break;
    case 1:
        script.status_after_f5 = s.status_text;
        PostMessageW(s.main_window, WM_CLOSE, 0, 0);
        break;
    default:
        KillTimer(nullptr, timer);
        break;
    }
}

int32_t run_scripted(const ToolDefinition& tool) {
    script = LoopScript{};
    first_message_hook = SetWindowsHookExW(WH_GETMESSAGE, note_first_message, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, loop_step);
    const int32_t result = run_main_window(GetModuleHandleW(nullptr), tool);
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(first_message_hook);
    return result;
}

TEST(RunMainWindowTest, RunsTheLoopUntilTheWindowIsClosed) {
    EXPECT_EQ(run_scripted(current_tool()), 0);
    EXPECT_TRUE(script.first_message_seen);
    EXPECT_TRUE(script.visible);
    EXPECT_EQ(script.first_focus, window_state().param_edits[0]);
    EXPECT_EQ(script.status_after_f5, COMPUTED) << "F5 went through the loop's diversion";
    EXPECT_FALSE(IsWindow(window_state().main_window));
}

TEST(RunMainWindowTest, ToolWithoutParametersStartsWithNoFocus) {
    EXPECT_EQ(run_scripted(empty_tool()), 0);
    EXPECT_TRUE(script.first_message_seen);
    EXPECT_EQ(script.first_focus, nullptr);
}

HHOOK refusing_hook = nullptr;

LRESULT CALLBACK refuse_main_window(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lparam);
        const wchar_t* name = create->lpcs->lpszClass;
        if (!IS_INTRESOURCE(name) && wcscmp(name, L"QuelmMedToolWnd") == 0) {
            return 1;  // the creation fails
        }
    }
    return CallNextHookEx(refusing_hook, code, wparam, lparam);
}

TEST(RunMainWindowTest, ReturnsOneWhenTheWindowCannotBeCreated) {
    refusing_hook = SetWindowsHookExW(WH_CBT, refuse_main_window, nullptr, GetCurrentThreadId());
    ASSERT_NE(refusing_hook, nullptr);
    ScopedBoxRecorder boxes;
    const int32_t result = run_main_window(GetModuleHandleW(nullptr), current_tool());
    UnhookWindowsHookEx(refusing_hook);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(window_state().main_window, nullptr);
    EXPECT_EQ(recorded_box_count(), 0) << "nothing is reported";
}

TEST(RunMainWindowTest, ReturnsOneForAToolTooLargeForTheWindow) {
    EXPECT_EQ(run_main_window(GetModuleHandleW(nullptr), oversized_tool()), 1);
}

}  // namespace
