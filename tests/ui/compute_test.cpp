// The compute command: reading the fields, refusing what is not a finite
// number, and spreading an accepted result over the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "catalogue/catalogue.h"
#include "tests/ui/ui_tools.h"
#include "tests/ui/window_test.h"
#include "tests/win32_support/message_boxes.h"
#include "ui/paint.h"
#include "ui/window_state.h"

namespace {

using WindowComputeTest = MainWindowTest;

const std::wstring REFUSED_SECOND = L"第 2 项“氨基酸浓度”请输入数字。";

struct InputCase {
    const char* name;
    std::wstring text;   // put into the second field (氨基酸浓度)
    bool refused;
    double value;        // input_values[1] when accepted
};

std::wstring digits(const wchar_t* head, int32_t zeros, const wchar_t* tail) {
    return std::wstring(head) + std::wstring(zeros, L'0') + tail;
}

TEST_F(WindowComputeTest, SecondFieldInputTable) {
    const InputCase cases[] = {
        {"empty", L"", false, 0.0},
        {"spaces only", L"    ", false, 0.0},
        {"tab only: not a space, no number", L"\t", true, 0.0},
        {"leading white space skipped", L" \t42", false, 42.0},
        {"plain", L"40", false, 40.0},
        {"decimal point", L"2.5", false, 2.5},
        {"trailing white space", L"40  ", false, 40.0},
        {"trailing letters", L"12abc", true, 0.0},
        {"decimal comma", L"3,5", true, 0.0},
        {"letter O for a zero", L"1O0", true, 0.0},
        {"unit typed after the number", L"40mmol", true, 0.0},
        {"two numbers", L"40 5", true, 0.0},
        {"full-width digits", L"４０", true, 0.0},
        {"letters only", L"abc", true, 0.0},
        {"hexadecimal", L"0x10", false, 16.0},
        {"hexadecimal with exponent", L"0x1p3", false, 8.0},
        {"exponent", L"1e2", false, 100.0},
        {"127 characters", digits(L"1", 126, L""), false, 1e126},
        {"128 characters: would be cut", digits(L"1", 127, L""), true, 0.0},
        {"longer than 127 characters", digits(L"1", 126, L"e999"), true, 0.0},
        {"overflow", L"1e999", true, 0.0},
        {"negative overflow", L"-1e999", true, 0.0},
        {"inf", L"inf", true, 0.0},
        {"-inf", L"-inf", true, 0.0},
        {"+INF", L"+INF", true, 0.0},
        {"nan", L"nan", true, 0.0},
        {"NaN", L"NaN", true, 0.0},
        {"-nan", L"-nan", true, 0.0},
        {"nan with payload", L"nan(123)", true, 0.0},
        {"infinity", L"infinity", true, 0.0},
        {"InFiNiTy", L"InFiNiTy", true, 0.0},
        {"INFINITY", L"INFINITY", true, 0.0},
        {"inf after spaces", L"  inf", true, 0.0},
        {"hexadecimal overflow", L"0x1p99999", true, 0.0},
    };
    for (const InputCase& c : cases) {
        open(current_tool());
        set_field(1, c.text.c_str());
        ScopedBoxRecorder boxes;
        command(1001);
        if (c.refused) {
            ASSERT_EQ(recorded_box_count(), 1) << c.name;
            EXPECT_EQ(recorded_box(0).text, REFUSED_SECOND) << c.name;
            EXPECT_STREQ(recorded_box(0).caption, L"输入有误") << c.name;
            EXPECT_EQ(recorded_box(0).icon, static_cast<UINT>(MB_ICONWARNING)) << c.name;
            EXPECT_EQ(recorded_box(0).owner, main()) << c.name;
            EXPECT_EQ(GetFocus(), field(1)) << c.name;
            EXPECT_EQ(state().status_text, std::wstring(L"就绪：填写参数后按 F5 或点击“计算”")) << c.name;
            EXPECT_STREQ(state().last_report, L"") << c.name;
        } else {
            EXPECT_EQ(recorded_box_count(), 0) << c.name;
            EXPECT_EQ(state().input_values[1], c.value) << c.name;
            EXPECT_EQ(state().input_values[0], 100.0) << c.name;
            EXPECT_EQ(state().input_values[2], 40.0) << c.name;
            EXPECT_EQ(state().status_text, std::wstring(L"计算完成  Veltrane")) << c.name;
            EXPECT_NE(state().last_report[0], L'\0') << c.name;
        }
        TearDown();
    }
}

TEST_F(WindowComputeTest, DefaultsShowTheOutputLineAndTheGreenVerdict) {
    open(current_tool());
    command(1001);
    EXPECT_EQ(window_text(state().results_box), L"估算渗透压：900 mOsm/L\r\n");
    EXPECT_EQ(window_text(state().verdict_line), L"可经外周静脉输注");
    EXPECT_EQ(state().verdict_level, 0);
    EXPECT_STREQ(state().last_report, L"估算渗透压：900 mOsm/L\r\n");
    EXPECT_STREQ(state().copy_text, L"估算渗透压：900 mOsm/L\r\n—— 可经外周静脉输注");
    EXPECT_STREQ(state().status_text, L"计算完成  Veltrane");
    EXPECT_EQ(state().input_values[0], 100.0);
    EXPECT_EQ(state().input_values[1], 40.0);
    EXPECT_EQ(state().input_values[2], 40.0);
    EXPECT_EQ(GetFocus(), main());
}

TEST_F(WindowComputeTest, AboveNineHundredGivesTheRedCentralLineVerdict) {
    open(current_tool());
    set_field(0, L"101");
    command(1001);
    EXPECT_EQ(window_text(state().results_box), L"估算渗透压：905 mOsm/L\r\n");
    EXPECT_EQ(window_text(state().verdict_line), L"渗透压过高，必须经中心静脉输注");
    EXPECT_EQ(state().verdict_level, 3);
    EXPECT_STREQ(state().copy_text, L"估算渗透压：905 mOsm/L\r\n—— 渗透压过高，必须经中心静脉输注");
}

// A refused compute changes nothing: not the shown result, not the state,
// and not input_values, which still belong to the report a save would write.
TEST_F(WindowComputeTest, RefusedComputeKeepsEverythingOfTheLastAcceptedOne) {
    open(current_tool());
    set_field(0, L"101");
    command(1001);
    const std::wstring results = window_text(state().results_box);
    const std::wstring verdict = window_text(state().verdict_line);
    const std::wstring report = state().last_report;
    const std::wstring copy = state().copy_text;
    const std::wstring status = state().status_text;

    set_field(0, L"7");
    set_field(1, L"inf");
    {
        ScopedBoxRecorder boxes;
        command(1001);
        ASSERT_EQ(recorded_box_count(), 1);
        EXPECT_EQ(recorded_box(0).text, REFUSED_SECOND);
    }
    EXPECT_EQ(window_text(state().results_box), results);
    EXPECT_EQ(window_text(state().verdict_line), verdict);
    EXPECT_EQ(state().verdict_level, 3);
    EXPECT_EQ(state().last_report, report);
    EXPECT_EQ(state().copy_text, copy);
    EXPECT_EQ(state().status_text, status);
    EXPECT_EQ(state().input_values[0], 101.0);  // not the 7 read before the refusal
    EXPECT_EQ(state().input_values[1], 40.0);
    EXPECT_EQ(state().input_values[2], 40.0);
    EXPECT_EQ(GetFocus(), field(1));
    EXPECT_EQ(window_text(field(0)), L"7");  // the fields keep what the user typed
    EXPECT_EQ(window_text(field(1)), L"inf");
}

// A field control that could not be made gives no value: compute refuses
// with the box naming it instead of taking 0.
TEST_F(WindowComputeTest, MissingFieldIsRefusedNotTakenAsZero) {
    open(current_tool());
    command(1001);
    const HWND made = edit_window_state().param_edits[1];
    edit_window_state().param_edits[1] = nullptr;
    {
        ScopedBoxRecorder boxes;
        command(1001);
        ASSERT_EQ(recorded_box_count(), 1);
        EXPECT_EQ(recorded_box(0).text, REFUSED_SECOND);
        EXPECT_STREQ(recorded_box(0).caption, L"输入有误");
    }
    edit_window_state().param_edits[1] = made;
    EXPECT_EQ(state().input_values[1], 40.0);  // the last accepted compute's
    EXPECT_STREQ(state().last_report, L"估算渗透压：900 mOsm/L\r\n");
}

TEST_F(WindowComputeTest, OnlyTheFirstBadFieldIsNamed) {
    struct Case {
        const char* name;
        const wchar_t* fields[3];
        const wchar_t* message;
        int32_t focus;
    };
    const Case cases[] = {
        {"first and third bad", {L"nan", L"40", L"inf"}, L"第 1 项“葡萄糖浓度”请输入数字。", 0},
        {"second and third bad", {L"100", L"-inf", L"1e400"}, L"第 2 项“氨基酸浓度”请输入数字。", 1},
        {"third bad", {L"100", L"40", L"Infinity"}, L"第 3 项“钠浓度”请输入数字。", 2},
        {"a letter before an infinity", {L"100", L"4o", L"inf"}, L"第 2 项“氨基酸浓度”请输入数字。", 1},
    };
    for (const Case& c : cases) {
        open(current_tool());
        for (int32_t i = 0; i < 3; ++i) {
            set_field(i, c.fields[i]);
        }
        ScopedBoxRecorder boxes;
        command(1001);
        ASSERT_EQ(recorded_box_count(), 1) << c.name;
        EXPECT_STREQ(recorded_box(0).text, c.message) << c.name;
        EXPECT_EQ(GetFocus(), field(c.focus)) << c.name;
        EXPECT_EQ(state().input_values[0], 0.0) << c.name;  // nothing accepted in this window yet
        TearDown();
    }
}

TEST_F(WindowComputeTest, LevelsOfTheVerdictRulesReachTheState) {
    struct Case {
        const wchar_t* value;
        int32_t level;
        const wchar_t* verdict;
    };
    const Case cases[] = {
        {L"0", 0, L"零级"}, {L"1", 1, L"一级"}, {L"2", 2, L"二级"},
        {L"3", 3, L"三级"}, {L"7", 7, L"七级"}, {L"-1", -1, L"负级"},
    };
    open(level_tool());
    for (const Case& c : cases) {
        set_field(0, c.value);
        command(1001);
        EXPECT_EQ(state().verdict_level, c.level) << "v = " << c.value;
        EXPECT_EQ(window_text(state().verdict_line), c.verdict) << "v = " << c.value;
    }
}

TEST_F(WindowComputeTest, ToolWithoutOutputsLeavesNoResult) {
    open(empty_tool());
    command(1001);
    EXPECT_STREQ(state().last_report, L"");
    EXPECT_EQ(window_text(state().results_box), L"");
    EXPECT_EQ(window_text(state().verdict_line), L"请核对输入参数后重新计算");
    EXPECT_STREQ(state().status_text, L"计算完成  Empty");
    ScopedBoxRecorder boxes;
    command(1003);
    ASSERT_EQ(recorded_box_count(), 1);
    EXPECT_STREQ(recorded_box(0).caption, L"提示");
}

TEST_F(WindowComputeTest, CompatibilityReportGivesLevelsThreeToZero) {
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        int32_t level;
        const wchar_t* verdict;
    };
    const Case cases[] = {
        {L"1", L"2", 3, L"禁忌：不可同瓶输注，需间隔冲管"},
        {L"3", L"6", 2, L"不宜同瓶，分开输注并冲管"},
        {L"6", L"7", 1, L"建议分开输注"},
        {L"1", L"1", 0, L"未收录明确禁忌，仍需核对院内配伍表"},
    };
    open(compatibility_tool());
    for (const Case& c : cases) {
        set_field(0, c.a);
        set_field(1, c.b);
        command(1001);
        EXPECT_EQ(state().verdict_level, c.level) << c.a << "+" << c.b;
        EXPECT_EQ(window_text(state().verdict_line), c.verdict) << c.a << "+" << c.b;
        EXPECT_EQ(window_text(state().results_box), state().last_report) << c.a << "+" << c.b;
        EXPECT_STREQ(state().copy_text, state().last_report) << "no verdict in a report's copy text";
    }
}

}  // namespace
