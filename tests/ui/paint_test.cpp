// Painting checked at pixels: the client area painted into a memory DC, the
// owner-drawn buttons through WM_DRAWITEM, and the control colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "catalogue/catalogue.h"
#include "tests/ui/ui_tools.h"
#include "tests/ui/window_test.h"
#include "ui/paint.h"
#include "ui/window_state.h"

namespace {

using WindowPaintTest = MainWindowTest;

const RECT CLIENT = {0, 0, 1020, 720};

struct PixelCase {
    const char* name;
    int32_t x;
    int32_t y;
    COLORREF colour;
};

// One point inside each painted item, and the edges of the panels.
const PixelCase PIXELS[] = {
    {"page between header and panels", 10, 92, RGB(244, 247, 249)},
    {"page right of the results panel", 1010, 300, RGB(244, 247, 249)},
    {"page left of the input panel", 10, 300, RGB(244, 247, 249)},
    {"page between the panels", 468, 300, RGB(244, 247, 249)},
    {"page below the panels", 500, 654, RGB(244, 247, 249)},
    {"header band", 760, 80, RGB(0, 108, 150)},
    {"header band right end", 1019, 60, RGB(0, 108, 150)},
    {"header band bottom row", 500, 87, RGB(0, 108, 150)},
    {"accent strip", 4, 40, RGB(0, 132, 176)},
    {"accent strip top left", 0, 0, RGB(0, 132, 176)},
    {"accent strip right column", 7, 87, RGB(0, 132, 176)},
    {"header right of the accent strip", 8, 87, RGB(0, 108, 150)},
    {"input panel face", 240, 400, RGB(255, 255, 255)},
    {"input panel border x=20", 20, 300, RGB(218, 226, 232)},
    {"input panel border x=459", 459, 300, RGB(218, 226, 232)},
    {"input panel border y=96", 200, 96, RGB(218, 226, 232)},
    {"input panel border y=647", 200, 647, RGB(218, 226, 232)},
    {"input panel face inside x=21", 21, 300, RGB(255, 255, 255)},
    {"input panel face inside x=458", 458, 300, RGB(255, 255, 255)},
    {"input panel face inside y=646", 200, 646, RGB(255, 255, 255)},
    {"page outside x=460", 460, 300, RGB(244, 247, 249)},
    {"page outside y=648", 200, 648, RGB(244, 247, 249)},
    {"page outside x=19", 19, 300, RGB(244, 247, 249)},
    {"results panel face", 740, 500, RGB(255, 255, 255)},
    {"results panel border x=476", 476, 300, RGB(218, 226, 232)},
    {"results panel border x=999", 999, 300, RGB(218, 226, 232)},
    {"results panel border y=96", 700, 96, RGB(218, 226, 232)},
    {"results panel border y=647", 700, 647, RGB(218, 226, 232)},
    {"page outside x=1000", 1000, 300, RGB(244, 247, 249)},
    {"input caption rule y=133", 400, 133, RGB(228, 234, 238)},
    {"input caption rule left end", 36, 133, RGB(228, 234, 238)},
    {"input caption rule right end", 443, 133, RGB(228, 234, 238)},
    {"face after the input rule", 444, 133, RGB(255, 255, 255)},
    {"face below the input rule", 400, 134, RGB(255, 255, 255)},
    {"results caption rule y=133", 900, 133, RGB(228, 234, 238)},
    {"results caption rule right end", 983, 133, RGB(228, 234, 238)},
    {"face after the results rule", 984, 133, RGB(255, 255, 255)},
    {"footer band", 10, 690, RGB(236, 241, 244)},
    {"footer band top row", 500, 660, RGB(236, 241, 244)},
    {"footer band under the status line", 1010, 719, RGB(236, 241, 244)},
    {"page just above the footer", 500, 659, RGB(244, 247, 249)},
};

TEST_F(WindowPaintTest, EveryItemHasItsColour) {
    open(current_tool());
    Canvas canvas(1020, 720);
    paint_content(canvas.dc(), CLIENT);
    for (const PixelCase& c : PIXELS) {
        EXPECT_EQ(colour_name(canvas.at(c.x, c.y)), colour_name(c.colour))
            << c.name << " at " << c.x << "," << c.y;
    }
    EXPECT_EQ(canvas.count_other(CLIENT, Canvas::UNPAINTED), 1020 * 720) << "every pixel painted";
}

TEST_F(WindowPaintTest, TextsAreDrawnInTheirBoxes) {
    open(current_tool());
    Canvas canvas(1020, 720);
    paint_content(canvas.dc(), CLIENT);
    struct TextCase {
        const char* name;
        RECT box;
        COLORREF ground;
    };
    const TextCase texts[] = {
        {"tool name", {26, 12, 726, 50}, RGB(0, 108, 150)},
        {"subtitle line", {28, 50, 748, 76}, RGB(0, 108, 150)},
        {"web address", {780, 8, 994, 34}, RGB(0, 108, 150)},
        {"input caption", {36, 104, 336, 133}, RGB(255, 255, 255)},
        {"results caption", {492, 104, 792, 133}, RGB(255, 255, 255)},
        {"status line", {740, 704, 1004, 720}, RGB(236, 241, 244)},
    };
    for (const TextCase& t : texts) {
        EXPECT_GT(canvas.count_other(t.box, t.ground), 20) << t.name;
    }
    // Right-aligned texts end near their right edge; nothing right of it.
    EXPECT_TRUE(canvas.all({994, 8, 1020, 34}, RGB(0, 108, 150))) << "web address ends before R - 26";
    EXPECT_GT(canvas.count_other({960, 8, 994, 34}, RGB(0, 108, 150)), 0) << "web address is right-aligned";
    EXPECT_TRUE(canvas.all({1004, 704, 1020, 720}, RGB(236, 241, 244))) << "status ends before 1004";
    EXPECT_GT(canvas.count_other({960, 704, 1004, 720}, RGB(236, 241, 244)), 0) << "status is right-aligned";
    // A short title leaves the right of its box free.
    EXPECT_TRUE(canvas.all({400, 12, 779, 48}, RGB(0, 108, 150))) << "short tool name";
}

TEST_F(WindowPaintTest, LongToolNameEndsBeforeX726AndLongStatusFillsItsBox) {
    open(long_name_tool());
    command(1001);  // the status line names the tool: far wider than its box
    Canvas canvas(1020, 720);
    paint_content(canvas.dc(), CLIENT);
    EXPECT_GT(canvas.count_other({660, 12, 726, 48}, RGB(0, 108, 150)), 0) << "the name reaches its box end";
    EXPECT_TRUE(canvas.all({726, 12, 779, 48}, RGB(0, 108, 150))) << "nothing of the name beyond 726";
    EXPECT_GT(canvas.count_other({740, 704, 760, 720}, RGB(236, 241, 244)), 0) << "status starts at 740";
    EXPECT_TRUE(canvas.all({700, 704, 740, 720}, RGB(236, 241, 244))) << "nothing left of 740";
    EXPECT_TRUE(canvas.all({1004, 704, 1020, 720}, RGB(236, 241, 244))) << "nothing right of 1004";
}

TEST_F(WindowPaintTest, MissingSubtitleShowsTheCategoryAndTheDotOnly) {
    Canvas without(1020, 720);
    Canvas empty(1020, 720);
    Canvas with(1020, 720);
    open(long_name_tool());
    paint_content(without.dc(), CLIENT);
    TearDown();
    open(empty_subtitle_tool());
    paint_content(empty.dc(), CLIENT);
    TearDown();
    open(subtitle_tool());
    paint_content(with.dc(), CLIENT);
    int32_t differing_empty = 0;
    int32_t differing_with = 0;
    for (int32_t y = 48; y < 76; ++y) {
        for (int32_t x = 28; x < 748; ++x) {
            differing_empty += without.at(x, y) != empty.at(x, y);
            differing_with += without.at(x, y) != with.at(x, y);
        }
    }
    EXPECT_EQ(differing_empty, 0) << "no subtitle and an empty subtitle read alike";
    EXPECT_GT(differing_with, 0) << "a subtitle shows after the dot";
}

TEST_F(WindowPaintTest, PageHeaderWebAddressAndFooterFollowTheClientWidth) {
    open(current_tool());
    Canvas canvas(1200, 720);
    paint_content(canvas.dc(), {0, 0, 1200, 720});
    EXPECT_EQ(colour_name(canvas.at(1150, 60)), colour_name(RGB(0, 108, 150))) << "header";
    EXPECT_EQ(colour_name(canvas.at(1150, 300)), colour_name(RGB(244, 247, 249))) << "page";
    EXPECT_EQ(colour_name(canvas.at(1150, 690)), colour_name(RGB(236, 241, 244))) << "footer";
    EXPECT_GT(canvas.count_other({1100, 8, 1174, 34}, RGB(0, 108, 150)), 0) << "web address at R - 26";
    EXPECT_TRUE(canvas.all({780, 8, 960, 34}, RGB(0, 108, 150))) << "web address moved right";
    EXPECT_EQ(colour_name(canvas.at(999, 300)), colour_name(RGB(218, 226, 232))) << "panels stay";
    EXPECT_EQ(colour_name(canvas.at(1000, 300)), colour_name(RGB(244, 247, 249))) << "panels stay";
    EXPECT_TRUE(canvas.all({1004, 704, 1200, 720}, RGB(236, 241, 244))) << "status line stays";
}

TEST_F(WindowPaintTest, EraseBackgroundDoesNothingAndReportsDone) {
    open(current_tool());
    Canvas canvas(1020, 720);
    EXPECT_EQ(SendMessageW(main(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0), 1);
    EXPECT_TRUE(canvas.all(CLIENT, Canvas::UNPAINTED));
}

TEST_F(WindowPaintTest, PaintMessageValidatesTheWholeClientArea) {
    open(current_tool());
    InvalidateRect(main(), nullptr, FALSE);
    ASSERT_TRUE(GetUpdateRect(main(), nullptr, FALSE));
    UpdateWindow(main());
    EXPECT_FALSE(GetUpdateRect(main(), nullptr, FALSE));
}

// Painting makes and deletes its brushes and pens: a leak would exhaust the
// process's GDI handles long before this many paints.
TEST_F(WindowPaintTest, SeventyThousandPaintsLeakNoGdiObject) {
    open(current_tool());
    Canvas canvas(1020, 720);
    for (int32_t i = 0; i < 70000; ++i) {
        paint_content(canvas.dc(), CLIENT);
    }
    canvas.clear(Canvas::UNPAINTED);
    paint_content(canvas.dc(), CLIENT);
    for (const PixelCase& c : PIXELS) {
        EXPECT_EQ(colour_name(canvas.at(c.x, c.y)), colour_name(c.colour)) << c.name;
    }
    EXPECT_GT(canvas.count_other({26, 12, 726, 50}, RGB(0, 108, 150)), 20) << "title text still drawn";
}

TEST_F(WindowPaintTest, StatusLineShowsTheCurrentStatusText) {
    open(current_tool());
    Canvas ready(1020, 720);
    paint_content(ready.dc(), CLIENT);
    command(1001);
    Canvas computed(1020, 720);
    paint_content(computed.dc(), CLIENT);
    int32_t differing = 0;
    for (int32_t y = 704; y < 720; ++y) {
        for (int32_t x = 740; x < 1004; ++x) {
            differing += ready.at(x, y) != computed.at(x, y);
        }
    }
    EXPECT_GT(differing, 0);
}

// Compute, copy and reset ask for a repaint of the whole client area (the
// footer's status line among it); compute also repaints the verdict line.
TEST_F(WindowPaintTest, CommandsAskForARepaintOfTheWholeWindow) {
    ClipboardGuard guard;
    open(current_tool());
    RECT client;
    GetClientRect(main(), &client);
    for (int32_t id : {1001, 1003, 1004}) {
        UpdateWindow(main());
        ValidateRect(main(), nullptr);
        ValidateRect(state().verdict_line, nullptr);
        SendMessageW(main(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        RECT update = {};
        ASSERT_TRUE(GetUpdateRect(main(), &update, FALSE)) << "command " << id;
        EXPECT_TRUE(EqualRect(&update, &client)) << "command " << id;
        if (id == 1001) {
            EXPECT_TRUE(GetUpdateRect(state().verdict_line, nullptr, FALSE)) << "verdict line";
        }
    }
}

struct ButtonCase {
    const char* name;
    int32_t id;
    bool pressed;
    COLORREF face;
    COLORREF border;
};

TEST_F(WindowPaintTest, CommandButtonsDrawTheirFaceBorderAndCaption) {
    const ButtonCase cases[] = {
        {"compute", 1001, false, RGB(0, 122, 168), RGB(0, 106, 148)},
        {"compute pressed", 1001, true, RGB(0, 100, 138), RGB(0, 106, 148)},
        {"save", 1002, false, RGB(255, 255, 255), RGB(206, 216, 224)},
        {"save pressed", 1002, true, RGB(226, 234, 240), RGB(206, 216, 224)},
        {"copy", 1003, false, RGB(255, 255, 255), RGB(206, 216, 224)},
        {"copy pressed", 1003, true, RGB(226, 234, 240), RGB(206, 216, 224)},
        {"reset", 1004, false, RGB(255, 255, 255), RGB(206, 216, 224)},
        {"reset pressed", 1004, true, RGB(226, 234, 240), RGB(206, 216, 224)},
        {"about", 1005, false, RGB(255, 255, 255), RGB(206, 216, 224)},
        {"about pressed", 1005, true, RGB(226, 234, 240), RGB(206, 216, 224)},
    };
    open(current_tool());
    for (const ButtonCase& c : cases) {
        Canvas canvas(200, 60);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = c.id;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = (c.pressed ? ODS_SELECTED : 0) | ODS_FOCUS;
        item.hwndItem = button(c.id);
        item.hDC = canvas.dc();
        item.rcItem = {4, 6, 136, 46};
        EXPECT_EQ(SendMessageW(main(), WM_DRAWITEM, c.id, reinterpret_cast<LPARAM>(&item)), 1) << c.name;
        EXPECT_EQ(colour_name(canvas.at(8, 10)), colour_name(c.face)) << c.name;
        EXPECT_EQ(colour_name(canvas.at(130, 42)), colour_name(c.face)) << c.name;
        EXPECT_EQ(colour_name(canvas.at(4, 6)), colour_name(c.border)) << c.name << " top left";
        EXPECT_EQ(colour_name(canvas.at(135, 45)), colour_name(c.border)) << c.name << " bottom right";
        EXPECT_EQ(colour_name(canvas.at(70, 6)), colour_name(c.border)) << c.name << " top edge";
        EXPECT_EQ(colour_name(canvas.at(4, 26)), colour_name(c.border)) << c.name << " left edge";
        EXPECT_EQ(colour_name(canvas.at(5, 7)), colour_name(c.face)) << c.name << " no focus rectangle";
        EXPECT_EQ(colour_name(canvas.at(6, 9)), colour_name(c.face)) << c.name << " no focus rectangle";
        EXPECT_EQ(canvas.at(3, 5), Canvas::UNPAINTED) << c.name << " outside the item";
        EXPECT_EQ(canvas.at(136, 46), Canvas::UNPAINTED) << c.name << " outside the item";
        EXPECT_GT(canvas.count_other({30, 12, 110, 40}, c.face), 10) << c.name << " caption";
        EXPECT_TRUE(canvas.all({5, 7, 20, 45}, c.face)) << c.name << " caption is centred";
    }
}

struct ColourCase {
    const char* name;
    HWND control;
    UINT message;
    COLORREF text;
    int mode;
};

void expect_colours(HWND main, const ColourCase& c, HBRUSH white_brush) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SetBkMode(dc, c.mode == OPAQUE ? TRANSPARENT : OPAQUE);
    const LRESULT brush = SendMessageW(main, c.message, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(c.control));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), white_brush) << c.name;
    EXPECT_EQ(colour_name(GetTextColor(dc)), colour_name(c.text)) << c.name;
    EXPECT_EQ(GetBkMode(dc), c.mode) << c.name;
    if (c.message == WM_CTLCOLOREDIT) {
        EXPECT_EQ(colour_name(GetBkColor(dc)), colour_name(RGB(255, 255, 255))) << c.name;
    }
    DeleteDC(dc);
}

HWND static_at(HWND main, const RECT& box) {
    for (HWND child : child_windows(main)) {
        RECT at = client_rect_of(child);
        if (EqualRect(&at, &box)) {
            return child;
        }
    }
    return nullptr;
}

TEST_F(WindowPaintTest, ControlColoursForEveryControl) {
    open(current_tool());
    const WindowState& s = state();
    const COLORREF main_text = RGB(44, 56, 66);
    const COLORREF secondary = RGB(120, 132, 142);
    const ColourCase cases[] = {
        {"field 1", field(0), WM_CTLCOLOREDIT, main_text, OPAQUE},
        {"field 2", field(1), WM_CTLCOLOREDIT, main_text, OPAQUE},
        {"field 3", field(2), WM_CTLCOLOREDIT, main_text, OPAQUE},
        {"results box", s.results_box, WM_CTLCOLORSTATIC, main_text, TRANSPARENT},
        {"note", s.note_label, WM_CTLCOLORSTATIC, main_text, TRANSPARENT},
        {"verdict at start", s.verdict_line, WM_CTLCOLORSTATIC, RGB(0, 128, 96), TRANSPARENT},
        {"label 1", static_at(main(), {24, 151, 208, 173}), WM_CTLCOLORSTATIC, secondary, TRANSPARENT},
        {"unit 3", static_at(main(), {374, 218, 452, 240}), WM_CTLCOLORSTATIC, secondary, TRANSPARENT},
        {"reference basis line", static_at(main(), {492, 576, 984, 632}), WM_CTLCOLORSTATIC, secondary,
         TRANSPARENT},
    };
    for (const ColourCase& c : cases) {
        ASSERT_NE(c.control, nullptr) << c.name;
        expect_colours(main(), c, s.white_brush);
    }
}

TEST_F(WindowPaintTest, VerdictColourFollowsTheLevelOfARealCompute) {
    struct Case {
        const wchar_t* value;
        int32_t level;
        COLORREF colour;
    };
    const Case cases[] = {
        {L"0", 0, RGB(0, 128, 96)},  {L"1", 1, RGB(176, 132, 0)}, {L"2", 2, RGB(214, 108, 0)},
        {L"3", 3, RGB(190, 30, 45)}, {L"7", 7, RGB(0, 128, 96)},  {L"-1", -1, RGB(0, 128, 96)},
    };
    open(level_tool());
    for (const Case& c : cases) {
        set_field(0, c.value);
        command(1001);
        ASSERT_EQ(state().verdict_level, c.level) << "v = " << c.value;
        const std::string name = "verdict of level " + std::to_string(c.level);
        expect_colours(main(), {name.c_str(), state().verdict_line, WM_CTLCOLORSTATIC, c.colour, TRANSPARENT},
                       state().white_brush);
    }
    command(1004);
    expect_colours(main(), {"verdict after reset", state().verdict_line, WM_CTLCOLORSTATIC,
                            RGB(0, 128, 96), TRANSPARENT},
                   state().white_brush);
}

TEST_F(WindowPaintTest, CompatibilityLevelsColourTheVerdict) {
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        COLORREF colour;
    };
    const Case cases[] = {
        {L"1", L"2", RGB(190, 30, 45)},
        {L"3", L"9", RGB(214, 108, 0)},
        {L"7", L"6", RGB(176, 132, 0)},
        {L"0", L"2", RGB(0, 128, 96)},
    };
    open(compatibility_tool());
    for (const Case& c : cases) {
        set_field(0, c.a);
        set_field(1, c.b);
        command(1001);
        const std::string name = "drugs " + std::to_string(_wtoi(c.a)) + "+" + std::to_string(_wtoi(c.b));
        expect_colours(main(), {name.c_str(), state().verdict_line, WM_CTLCOLORSTATIC, c.colour, TRANSPARENT},
                       state().white_brush);
    }
}

}  // namespace
