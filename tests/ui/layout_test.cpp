// The main window and its controls: class, style, size, position, and every
// child's class, rectangle, style, id, font and text.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "tests/ui/ui_tools.h"
#include "tests/ui/window_test.h"
#include "ui/main_window.h"

namespace {

struct ExpectedControl {
    const char* name;
    const wchar_t* control_class;
    RECT box;             // client coordinates
    DWORD style;
    DWORD ex_style;
    int32_t id;
    HFONT font;           // null: no font attached
    std::wstring text;
};

std::wstring class_of(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// Finds the child of this class standing exactly at this rectangle.
HWND find_control(HWND parent, const wchar_t* control_class, const RECT& box) {
    for (HWND child : child_windows(parent)) {
        RECT at = client_rect_of(child);
        if (_wcsicmp(class_of(child).c_str(), control_class) == 0 && EqualRect(&at, &box)) {
            return child;
        }
    }
    return nullptr;
}

void expect_controls(HWND main, const std::vector<ExpectedControl>& expected) {
    EXPECT_EQ(child_windows(main).size(), expected.size());
    for (const ExpectedControl& row : expected) {
        HWND control = find_control(main, row.control_class, row.box);
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)), row.style) << row.name;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE)), row.ex_style) << row.name;
        EXPECT_EQ(GetDlgCtrlID(control), row.id) << row.name;
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), row.font) << row.name;
        EXPECT_EQ(window_text(control), row.text) << row.name;
        EXPECT_EQ(GetParent(control), main) << row.name;
    }
}

// The controls that every tool gets after its parameter rows.
std::vector<ExpectedControl> fixed_controls(const WindowState& s, const std::wstring& note,
                                            const std::wstring& reference_line) {
    return {
        {"verdict line", L"STATIC", {492, 142, 984, 188}, 0x50000000, 0, 0, s.font_verdict,
         L"填写左侧参数，点击“计算”"},
        {"results box", L"EDIT", {492, 196, 984, 428}, 0x50200844, WS_EX_CLIENTEDGE, 3000,
         s.font_results, L""},
        {"note", L"STATIC", {492, 444, 984, 564}, 0x50000000, 0, 0, s.font_small, note},
        {"reference basis line", L"STATIC", {492, 576, 984, 632}, 0x50000000, 0, 0, s.font_small,
         reference_line},
        {"compute button", L"BUTTON", {20, 668, 172, 708}, 0x5000000B, 0, 1001, nullptr, L"计算 (F5)"},
        {"save button", L"BUTTON", {184, 668, 316, 708}, 0x5000000B, 0, 1002, nullptr, L"保存记录"},
        {"copy button", L"BUTTON", {328, 668, 460, 708}, 0x5000000B, 0, 1003, nullptr, L"复制结果"},
        {"reset button", L"BUTTON", {472, 668, 604, 708}, 0x5000000B, 0, 1004, nullptr, L"清空重填"},
        {"about button", L"BUTTON", {616, 668, 726, 708}, 0x5000000B, 0, 1005, nullptr, L"关于"},
    };
}

using WindowLayoutTest = MainWindowTest;

TEST_F(WindowLayoutTest, CatalogueToolControlsStandWhereTheyBelong) {
    open(current_tool());
    const WindowState& s = state();
    std::vector<ExpectedControl> expected = {
        {"label 1", L"STATIC", {24, 151, 208, 173}, 0x50000002, 0, 0, s.font_label, L"葡萄糖浓度"},
        {"field 1", L"EDIT", {216, 146, 368, 173}, 0x50000080, WS_EX_CLIENTEDGE, 2000, s.font_input, L"100"},
        {"unit 1", L"STATIC", {374, 150, 452, 172}, 0x50000000, 0, 0, s.font_small, L"g/L"},
        {"label 2", L"STATIC", {24, 185, 208, 207}, 0x50000002, 0, 0, s.font_label, L"氨基酸浓度"},
        {"field 2", L"EDIT", {216, 180, 368, 207}, 0x50000080, WS_EX_CLIENTEDGE, 2001, s.font_input, L"40"},
        {"unit 2", L"STATIC", {374, 184, 452, 206}, 0x50000000, 0, 0, s.font_small, L"g/L"},
        {"label 3", L"STATIC", {24, 219, 208, 241}, 0x50000002, 0, 0, s.font_label, L"钠浓度"},
        {"field 3", L"EDIT", {216, 214, 368, 241}, 0x50000080, WS_EX_CLIENTEDGE, 2002, s.font_input, L"40"},
        {"unit 3", L"STATIC", {374, 218, 452, 240}, 0x50000000, 0, 0, s.font_small, L"mmol/L"},
    };
    for (const ExpectedControl& row : fixed_controls(
             s, L"外周静脉渗透压应<900mOsm/L，过高需中心静脉输注。",
             L"参考依据：渗透压(mOsm/L)≈葡萄糖(g/L)×5+氨基酸(g/L)×8+Na(mmol/L)×2")) {
        expected.push_back(row);
    }
    expect_controls(main(), expected);
    EXPECT_EQ(GetDlgItem(main(), 2000), field(0));
    EXPECT_EQ(GetDlgItem(main(), 2002), field(2));
    EXPECT_EQ(field(3), nullptr);
    EXPECT_EQ(GetDlgItem(main(), 3000), s.results_box);
}

TEST_F(WindowLayoutTest, ParameterWithoutUnitHasNoUnitLabelAndNoNoteShowsEmpty) {
    open(plain_tool());
    const WindowState& s = state();
    std::vector<ExpectedControl> expected = {
        {"label x", L"STATIC", {24, 151, 208, 173}, 0x50000002, 0, 0, s.font_label, L"甲值"},
        {"field x", L"EDIT", {216, 146, 368, 173}, 0x50000080, WS_EX_CLIENTEDGE, 2000, s.font_input, L"1"},
        {"unit x", L"STATIC", {374, 150, 452, 172}, 0x50000000, 0, 0, s.font_small, L"mg"},
        {"label y", L"STATIC", {24, 185, 208, 207}, 0x50000002, 0, 0, s.font_label, L"乙值"},
        {"field y (unit absent)", L"EDIT", {216, 180, 368, 207}, 0x50000080, WS_EX_CLIENTEDGE, 2001,
         s.font_input, L"2.5"},
        {"label z", L"STATIC", {24, 219, 208, 241}, 0x50000002, 0, 0, s.font_label, L"丙值"},
        {"field z (unit empty, %.6g)", L"EDIT", {216, 214, 368, 241}, 0x50000080, WS_EX_CLIENTEDGE,
         2002, s.font_input, L"1.23457e+06"},
    };
    for (const ExpectedControl& row : fixed_controls(s, L"", L"参考依据：x+y+z")) {
        expected.push_back(row);
    }
    expect_controls(main(), expected);
}

// The focus is read at once after the window start: a later activation of
// the window (another test process closing its window, say) would give the
// focus to the main window itself, as the system does for any window.
TEST_F(WindowLayoutTest, ToolWithoutParametersHasNoRowsAndNoFirstFocus) {
    HWND window = create_main_window(GetModuleHandleW(nullptr), empty_tool());
    ASSERT_NE(window, nullptr);
    show_main_window();
    EXPECT_EQ(GetFocus(), nullptr);
    DestroyWindow(window);
    pump_messages();
    open(empty_tool());
    expect_controls(main(), fixed_controls(state(), L"空工具", L"参考依据：无"));
    for (HWND edit : state().param_edits) {
        EXPECT_EQ(edit, nullptr);
    }
}

TEST_F(WindowLayoutTest, FirstFieldHasTheFocusAfterWindowStart) {
    HWND window = create_main_window(GetModuleHandleW(nullptr), current_tool());
    ASSERT_NE(window, nullptr);
    show_main_window();
    EXPECT_EQ(GetFocus(), field(0));
    DestroyWindow(window);
    pump_messages();
}

TEST_F(WindowLayoutTest, MainWindowClassStyleAndTitle) {
    open(current_tool());
    wchar_t name[64] = L"";
    GetClassNameW(main(), name, 64);
    EXPECT_STREQ(name, L"QuelmMedToolWnd");
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"QuelmMedToolWnd", &window_class));
    EXPECT_EQ(window_class.style, 0u);
    EXPECT_EQ(window_class.lpfnWndProc, main_window_proc);
    EXPECT_EQ(window_class.cbClsExtra, 0);
    EXPECT_EQ(window_class.cbWndExtra, 0);
    EXPECT_EQ(window_class.hbrBackground, state().background_brush);
    EXPECT_EQ(window_class.hCursor, LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));

    const DWORD style = GetWindowLongW(main(), GWL_STYLE);
    // The system adds WS_CLIPSIBLINGS to every top-level window; showing
    // adds WS_VISIBLE. Nothing else may be there.
    EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), 0x00CA0000u);
    EXPECT_EQ(style & (WS_CLIPCHILDREN | WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
    const DWORD ex_style = GetWindowLongW(main(), GWL_EXSTYLE);
    EXPECT_EQ(ex_style & ~WS_EX_WINDOWEDGE, 0u);  // WS_EX_WINDOWEDGE comes with WS_CAPTION
    EXPECT_EQ(GetParent(main()), nullptr);
    EXPECT_EQ(GetMenu(main()), nullptr);
    EXPECT_EQ(window_text(main()), L"Veltrane");
    EXPECT_EQ(state().main_window, main());
    EXPECT_EQ(state().shown_tool, &current_tool());
    EXPECT_EQ(state().app_instance, GetModuleHandleW(nullptr));
    EXPECT_EQ(state().status_text, std::wstring(L"就绪：填写参数后按 F5 或点击“计算”"));
    EXPECT_EQ(state().verdict_level, 0);
    EXPECT_STREQ(state().last_report, L"");
}

// The window is made for a 1020 x 720 client area and centred by that
// size. The system holds a new top-level window to its tracking size, and
// the tracking size is fixed at 1036 x 780, larger than the frame around
// 1020 x 720 with a fixed border: the window ends up 1036 x 780 (Windows
// does the same), and painting follows the client width it then has.
TEST_F(WindowLayoutTest, WindowIsMadeFor1020By720CentredNeverNegative) {
    open(current_tool());
    RECT frame = {0, 0, 1020, 720};
    AdjustWindowRect(&frame, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    RECT window;
    GetWindowRect(main(), &window);
    EXPECT_EQ(window.left, x < 0 ? 0 : x) << "screen width " << GetSystemMetrics(SM_CXSCREEN);
    EXPECT_EQ(window.top, y < 0 ? 0 : y) << "screen height " << GetSystemMetrics(SM_CYSCREEN);
    EXPECT_GE(window.left, 0);
    EXPECT_GE(window.top, 0);
    EXPECT_EQ(window.right - window.left, width > 1036 ? width : 1036);
    EXPECT_EQ(window.bottom - window.top, height > 780 ? height : 780);
    RECT client;
    GetClientRect(main(), &client);
    EXPECT_GE(client.right, 1020);
    EXPECT_GE(client.bottom, 720);
    EXPECT_EQ(client.right - 1020, (window.right - window.left) - width);
    EXPECT_EQ(client.bottom - 720, (window.bottom - window.top) - height);
}

TEST_F(WindowLayoutTest, TrackingSizeIsFixedAt1036By780) {
    open(current_tool());
    MINMAXINFO info = {};
    EXPECT_EQ(SendMessageW(main(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.ptMinTrackSize.x, 1036);
    EXPECT_EQ(info.ptMinTrackSize.y, 780);
    EXPECT_EQ(info.ptMaxTrackSize.x, 1036);
    EXPECT_EQ(info.ptMaxTrackSize.y, 780);
}

TEST_F(WindowLayoutTest, FontsAreMadeAsTheFontTableSays) {
    open(current_tool());
    const WindowState& s = state();
    struct Row {
        const char* name;
        HFONT font;
        LONG height;
        LONG weight;
        const wchar_t* face;
    };
    const Row rows[] = {
        {"font_title", s.font_title, -27, 700, L"Microsoft YaHei UI"},
        {"font_caption", s.font_caption, -14, 400, L"Microsoft YaHei UI"},
        {"font_label", s.font_label, -14, 400, L"Microsoft YaHei UI"},
        {"font_input", s.font_input, -15, 400, L"Microsoft YaHei UI"},
        {"font_verdict", s.font_verdict, -21, 700, L"Microsoft YaHei UI"},
        {"font_results", s.font_results, -15, 400, L"Consolas"},
        {"font_button", s.font_button, -15, 400, L"Microsoft YaHei UI"},
        {"font_small", s.font_small, -12, 400, L"Microsoft YaHei UI"},
    };
    for (const Row& row : rows) {
        LOGFONTW font = {};
        ASSERT_EQ(GetObjectW(row.font, sizeof font, &font), static_cast<int>(sizeof font)) << row.name;
        EXPECT_EQ(font.lfHeight, row.height) << row.name;
        EXPECT_EQ(font.lfWidth, 0) << row.name;
        EXPECT_EQ(font.lfWeight, row.weight) << row.name;
        EXPECT_EQ(font.lfItalic | font.lfUnderline | font.lfStrikeOut, 0) << row.name;
        EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET) << row.name;
        EXPECT_EQ(font.lfQuality, CLEARTYPE_QUALITY) << row.name;
        EXPECT_EQ(font.lfPitchAndFamily, DEFAULT_PITCH | FF_DONTCARE) << row.name;
        EXPECT_STREQ(font.lfFaceName, row.face) << row.name;
    }
    EXPECT_NE(s.font_caption, s.font_label);
    LOGBRUSH brush = {};
    ASSERT_NE(GetObjectW(s.white_brush, sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbColor, RGB(255, 255, 255));
    ASSERT_NE(GetObjectW(s.background_brush, sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbColor, RGB(244, 247, 249));
}

TEST_F(WindowLayoutTest, ToolWithMoreThanSixteenParametersIsNotShown) {
    EXPECT_EQ(create_main_window(GetModuleHandleW(nullptr), oversized_tool()), nullptr);
    EXPECT_EQ(state().main_window, nullptr);
}

}  // namespace
