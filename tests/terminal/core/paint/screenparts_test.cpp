// The terminal area's geometry, the mouse's slots, scrolling back through the history
// and the profile a load reads.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "terminal/core/base/uiservices.h"
#include "terminal/core/dibcanvas.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/paint/geometry.h"
#include "terminal/core/window/layout.h"
#include "terminal/core/window/mouse/mouse.h"
#include "terminal/core/session/profileguard.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/scrollback.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/mouseactions.h"
#include "terminal/core/base/registry.h"
#include "terminal/core/testfamily.h"
#include "terminal/core/testwindow.h"

namespace {

SIZE NonClient(HWND window)
{
    RECT w, c;
    GetWindowRect(window, &w);
    GetClientRect(window, &c);
    return SIZE{(w.right - w.left) - c.right, (w.bottom - w.top) - c.bottom};
}

class Geometry : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!Screen.lines) {
            ASSERT_TRUE(AllocScreenStore());
        }
        ApplyScreenRows(24, false);
        ForgetLayout();
    }
    void TearDown() override
    {
        ApplyScreenRows(24, false);
        ForgetLayout();
    }
    TestMainWindow main_;
    DibCanvas canvas_{16, 16};
};

TEST_F(Geometry, TheCellIsTheFreeSizeOverColumnsAndRows)
{
    const SIZE frame = NonClient(main_.hwnd());
    LayoutTerminalArea(PackWindowSize(frame.cx + 800 + 79, frame.cy + 25 * 20 + 24), false);
    EXPECT_EQ(BaseCellWidth, 10) << "80 columns share the free width";
    EXPECT_EQ(BaseLineHeight, 20) << "24 rows and the status line share the free height";
    EXPECT_TRUE(TerminalFontExists());
    int width, height;
    GetTerminalPixelSize(&width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 500);

    // A window too small for its frame gives no cell: nothing changes.
    LayoutTerminalArea(PackWindowSize(frame.cx - 1, frame.cy + 10), false);
    LayoutTerminalArea(PackWindowSize(frame.cx + 50, frame.cy - 5), false);
    EXPECT_EQ(BaseCellWidth, 10);
    EXPECT_EQ(BaseLineHeight, 20);
}

TEST_F(Geometry, RowsFollowTheHeightWithinTheirLimits)
{
    const SIZE frame = NonClient(main_.hwnd());
    LayoutTerminalArea(PackWindowSize(frame.cx + 800, frame.cy + 25 * 20), false);
    ASSERT_EQ(BaseLineHeight, 20);
    FitRowsToWindowHeight(0, PackWindowSize(800, frame.cy + 31 * 20 + 7), false);
    EXPECT_EQ(Screen.rows, 30) << "31 lines of height: 30 rows and the status line";
    FitRowsToWindowHeight(0, PackWindowSize(800, frame.cy + 20), false);
    EXPECT_EQ(Screen.rows, 3) << "never fewer than 3";
    ApplyScreenRows(0, false);
    EXPECT_EQ(Screen.rows, 1);
    ApplyScreenRows(65, false);
    EXPECT_EQ(Screen.rows, 64);
    EXPECT_EQ(Screen.bottom, 63) << "the margins follow the rows";
}

TEST_F(Geometry, TheTerminalAreaIsCentredOnAMultipleOfEight)
{
    for (int width : {640, 700, 723, 800}) {
        int x, y;
        PlaceTerminalArea(&x, &y, width, 300);
        EXPECT_EQ(x % 8, 0) << width;
        EXPECT_GE(x, 0);
        EXPECT_GE(y, 0);
    }
    int x, y;
    PlaceTerminalArea(&x, &y, 5000, 5000);
    EXPECT_EQ(x, 0) << "never left of the window";
    EXPECT_EQ(y, 0);
}

TEST(Mouse, DoubleClicksNeedTheSameButtonWithinTheWholeTickDifference)
{
    struct Case {
        DWORD now, previous;
        int button, previousButton;
        bool doubleClick;
    } cases[] = {
        {1000, 800, kButtonLeft, kButtonLeft, true},
        {1000, 800, kButtonLeft, kButtonRight, false},
        {1000 + 65536 + 100, 1000, kButtonLeft, kButtonLeft, false},  // 65 s later, 100 ms in 16 bits
        {0x10, 0xFFFFFF00u, kButtonRight, kButtonRight, true},        // across the tick wrap
        {1000, 0, kButtonLeft, kButtonLeft, false},                   // no press before
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsDoubleClick(c.now, c.previous, c.button, c.previousButton, 500), c.doubleClick)
            << c.now << " " << c.previous;
}

TEST(Mouse, SlotsByButtonAndModifiers)
{
    struct Case {
        WPARAM keys;
        int button;
        bool doubleClick, alt;
        int slot;
    } cases[] = {
        {0, kButtonLeft, false, false, 0},          {MK_SHIFT, kButtonLeft, false, false, 1},
        {MK_CONTROL, kButtonLeft, false, false, 2}, {MK_SHIFT | MK_CONTROL, kButtonLeft, false, false, 3},
        {MK_SHIFT, kButtonLeft, false, true, 4},    {MK_SHIFT | MK_CONTROL, kButtonLeft, true, true, 5},
        {0, kButtonRight, false, false, 6},         {MK_CONTROL, kButtonRight, false, false, 8},
        {0, kButtonRight, false, true, 10},         {MK_SHIFT, kButtonRight, true, false, 11},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MouseSlotFor(c.keys, c.button, c.doubleClick, c.alt), c.slot);
    // A slot set to "Middle Button" makes its button the middle one.
    const u16 saved = MouseActions[6];
    MouseActions[6] = 10;
    EXPECT_TRUE(ButtonActsAsMiddle(0, kButtonRight));
    EXPECT_FALSE(ButtonActsAsMiddle(0, kButtonLeft));
    MouseActions[6] = saved;
    EXPECT_FALSE(ButtonActsAsMiddle(0, kButtonRight));
}

TEST(Mouse, AMouseMacroOnTheSlotTakesThePressAndQueuesItsText)
{
    ASSERT_TRUE(AllocInputQueues());
    DeleteAllKeyDefinitions();
    ASSERT_TRUE(AddKeyDefinition(6, 0, kMouseMacro, 0, 2, VXT("hi"), nullptr));
    ASSERT_TRUE(AddKeyDefinition(7, 0, kKeyMacro, 0, 2, VXT("no"), nullptr));  // a keyboard macro never
    TestMainWindow main;
    const int kMiddleAction = 10;
    EXPECT_FALSE(IsMiddleButtonAction(kMiddleAction, 6));  // the macro takes the slot
    EXPECT_TRUE(IsMiddleButtonAction(kMiddleAction, 7));

    PerformMouseAction(main.hwnd(), 0, POINT{0, 0}, kButtonRight, kMiddleAction, 6);
    int type, value, extra;
    TakeInputEvent(type, value, extra);
    ASSERT_EQ(type, 4);  // the user's text, run as a macro string
    const u32 handle = HandleOf(static_cast<u16>(value), static_cast<u16>(extra));
    int length = 0;
    const wchar16* text = EventText(handle, &length);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text, static_cast<std::size_t>(length)), L"hi");
    FreeEventText(handle);
    TakeInputEvent(type, value, extra);
    EXPECT_EQ(type, -1) << "one event per press";
    DeleteAllKeyDefinitions();
}

class ScrollBack : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!Screen.lines) {
            ASSERT_TRUE(AllocScreenStore());
        }
        SetCellSize(9, 17);
        ApplyScreenRows(24, false);
        SetMaximumLineCount(kDefaultLineCount);
        ASSERT_TRUE(ResizeScreenLines(kDefaultLineCount));
        // 100 numbered lines from the top, each followed by a line feed, as a host
        // writes them: the 25th and later push lines into the history.
        Screen.cursorRow = 0;
        for (int n = 1; n <= 100; ++n) {
            WriteText(Screen.cursorRow, n);
            IndexDown();
        }
    }
    void TearDown() override
    {
        EmulationId = 2;
        RecomputeHistoryCapacity();
        Screen.cursorRow = 0;
    }
    static void WriteText(int row, int n)
    {
        char text[16];
        std::snprintf(text, sizeof text, "line %03d", n);
        ScreenLineRecord* line = LineAt(row);
        for (int c = 0; c < kStoreColumns; ++c)
            line->cells[c] = ScreenCell{static_cast<u8>(c < 8 ? text[c] : ' '), 0x07, 0, 0};
    }
    static std::string Row(int row)
    {
        std::string s;
        for (int c = 0; c < 8; ++c)
            s += static_cast<char>(LineAt(row)->cells[c].ch);
        return s;
    }
    DibCanvas canvas_{80 * 9, 25 * 17};
};

TEST_F(ScrollBack, TheThumbRunsFromTheOldestLineToTheLiveScreen)
{
    EXPECT_EQ(Row(0), "line 078");
    EXPECT_EQ(GetScrollRangeMax(), 77) << "77 lines went into the history";
    EXPECT_EQ(ScrollThumbPosition(), 77) << "the live screen is at the bottom";
    DispatchScrollBarCommand(SB_THUMBPOSITION, 0);
    EXPECT_EQ(Row(0), "line 001");
    EXPECT_EQ(ScrollThumbPosition(), 0);
    DispatchScrollBarCommand(SB_LINEDOWN, 0);
    EXPECT_EQ(Row(0), "line 002");
    DispatchScrollBarCommand(SB_PAGEDOWN, 0);
    EXPECT_EQ(Row(0), "line 026");
    DispatchScrollBarCommand(SB_THUMBPOSITION, 77);
    EXPECT_EQ(Row(0), "line 078");
    // The live screen is as far as the view goes.
    DispatchScrollBarCommand(SB_LINEDOWN, 0);
    DispatchScrollBarCommand(SB_PAGEDOWN, 0);
    EXPECT_EQ(Row(0), "line 078");
    EXPECT_EQ(Row(22), "line 100");
    PanHistoryView(3);
    EXPECT_EQ(Row(0), "line 075") << "the wheel scrolls back three lines";
    PanHistoryView(-10);
    EXPECT_EQ(Row(0), "line 078");
}

TEST_F(ScrollBack, EmulationsWithoutScrollBackIgnoreTheCommands)
{
    {
        // The IBM 5250: a screen of its own with nothing to scroll.
        static const DisplayHooks fixedScreen{};
        TestFamily ibm5250(FamilyHooks{.emulations = EmulationBit(kEmuIbm5250), .display = &fixedScreen});
        EmulationId = kEmuIbm5250;
        DispatchScrollBarCommand(SB_THUMBPOSITION, 0);
        DispatchScrollBarCommand(SB_LINEUP, 0);
        EXPECT_EQ(Row(0), "line 078");
    }
    {
        // The family that runs the ANSI consoles, the build's own when it has one.
        TestFamily console(FamilyHooks{.emulations = EmulationBit(kEmuAnsiBbs)});
        if (!console.Registered())
            SetActiveFamily(FamilyFor(kEmuAnsiBbs));
        EmulationId = kEmuAnsiBbs;
        EXPECT_EQ(GetScrollRangeMax(), 0) << "the ANSI consoles have no scroll-back";
    }
    EmulationId = 2;
    RecomputeHistoryCapacity();
    EXPECT_EQ(GetScrollRangeMax(), 0) << "an empty history has nothing to scroll";
    DispatchScrollBarCommand(SB_LINEUP, 0);
    EXPECT_EQ(Row(0), "line 078");
}

TEST(ProfileGuard, AProfileIsCreatedOnlyWhileALoadRuns)
{
    SettingsSelectRoot(1);
    const wchar16* name = L"GuardTest";
    SettingsDeleteProfile(name);
    EXPECT_FALSE(EnsureProfileForLoad(name));
    EXPECT_FALSE(SettingsProfileExistsAnyRoot(name));
    ProfileLoadInProgress = 1;
    EXPECT_TRUE(EnsureProfileForLoad(name));
    ProfileLoadInProgress = 0;
    EXPECT_TRUE(SettingsProfileExistsAnyRoot(name));
    EXPECT_STREQ(Slots.profileName, name);
    EXPECT_TRUE(EnsureProfileForLoad(name));
    SettingsDeleteProfile(name);
    EXPECT_FALSE(EnsureProfileForLoad(L""));
}

}  // namespace
