// The screen store: sizes, history, pages and columns.
#include "terminal/core/hostpath_fixture.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/core/testfamily.h"

namespace {

using Store = HostPathTest;

TEST_F(Store, DefaultHistoryHolds504LinesAndDropsTheOldest)
{
    ASSERT_EQ(Screen.rows, 24);
    ASSERT_EQ(Screen.lineCount, 528);
    EXPECT_EQ(Screen.historyCapacity, 504);
    std::string text;
    for (int i = 0; i < 527; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    Feed(text);
    ASSERT_EQ(Screen.historyCount, 504);
    EXPECT_EQ(History().front(), "line 0");
    EXPECT_EQ(History().back(), "line 503");
    Feed("line 527\r\n");  // the 505th line feed at the bottom
    EXPECT_EQ(Screen.historyCount, 504);
    EXPECT_EQ(History().front(), "line 1");
    EXPECT_EQ(History().back(), "line 504");
    EXPECT_EQ(Row(22), "line 527");
    EXPECT_EQ(Row(23), "");
}

TEST_F(Store, PanningUpALineBringsBackTheNewestHistoryLine)
{
    Feed("top\r\n");
    PanViewUp(1);
    EXPECT_EQ(Row(0), "top") << "nothing to bring back from an empty history";
    std::string text;
    for (int i = 0; i < 29; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    Feed(text);
    ASSERT_EQ(Screen.historyCount, 7);
    PanViewUp(1);
    EXPECT_EQ(Row(0), "line 5");
    EXPECT_EQ(Row(1), "line 6");
    EXPECT_EQ(Screen.historyCount, 6);
}

TEST_F(Store, LineCountSettingIsClampedTo64Through999)
{
    struct Case {
        int asked, stored;
    };
    // Through the setter, and written straight into the store as a profile load does.
    for (bool direct : {false, true})
        for (const Case& c : {Case{2000, 999}, Case{10, 64}, Case{-5, 64}, Case{300, 300}}) {
            if (direct)
                Screen.maxLineCount = c.asked;
            else
                SetMaximumLineCount(c.asked);
            ASSERT_TRUE(InitialiseTerminal(0));
            EXPECT_EQ(Screen.lineCount, c.stored) << c.asked;
            EXPECT_EQ(Screen.rows, 24) << "the screen keeps its rows";
            for (int slot = 0; slot < Screen.lineCount; ++slot)
                ASSERT_NE(LineAt(slot), nullptr) << "slot " << slot;
        }
}

TEST_F(Store, MultiPageModeHasSixPagesOfAtMost144Lines)
{
    Screen.multiPage = 1;
    ASSERT_TRUE(SetScreenPageLength(24));
    EXPECT_EQ(Screen.pages.pageCount, 6u) << "528 lines would make 22 pages; 6 is the most";
    EXPECT_EQ(Screen.lineCount, 144);
    ASSERT_TRUE(SetScreenPageLength(200));
    EXPECT_EQ(Screen.pageLength, 144);
    EXPECT_FALSE(SetScreenPageLength(10)) << "shorter than the rows";
    EXPECT_EQ(Screen.pageLength, 144);
}

TEST_F(Store, PagesKeepTheirTextAndMargins)
{
    Screen.multiPage = 1;
    ASSERT_TRUE(SetScreenPageLength(24));
    Feed("page zero");
    SetTopBottomMargins(3, 10);
    ShowScreenPage(2);
    EXPECT_EQ(ActivePage(), 2);
    EXPECT_EQ(Row(0), "");
    EXPECT_EQ(Screen.top, 0) << "page 2 has its own margins";
    MoveCursorAbsolute(0, 0);
    Feed("page two");
    ShowScreenPage(0);
    EXPECT_EQ(Row(0), "page zero");
    EXPECT_EQ(Screen.top, 2);
    EXPECT_EQ(Screen.bottom, 9);
    NormalisePageOrder();
    EXPECT_EQ(Slot(2 * 24), "page two");
}

TEST_F(Store, NarrowingTo80ColumnsBlanksColumns80To131)
{
    SetScreenColumns(132);
    ASSERT_EQ(Screen.lastColumn, 131);
    Feed(std::string(130, 'w') + "\r\n" + std::string(100, 'v'));
    MoveCursorAbsolute(0, 120);
    SetScreenColumns(80);
    EXPECT_EQ(Screen.lastColumn, 79);
    EXPECT_EQ(Screen.cursorColumn, 79);
    for (int row : {0, 1})
        for (int c = 80; c < kStoreColumns; ++c)
            ASSERT_EQ(LineAt(row)->cells[c].ch, ' ') << "row " << row << " column " << c;
    EXPECT_EQ(Row(0), std::string(80, 'w'));
}

TEST_F(Store, ShorterHistoryForgetsOldLinesInsteadOfShowingThemAgain)
{
    SetMaximumLineCount(64);
    ASSERT_TRUE(InitialiseTerminal(0));
    std::string text;
    for (int i = 0; i < 70; ++i)
        text += "old " + std::to_string(i) + "\r\n";
    Feed(text);
    ASSERT_EQ(Screen.historyCount, Screen.historyCapacity) << "the oldest slot holds text";
    ASSERT_TRUE(ResizeScreenLines(Screen.lineCount));
    EXPECT_EQ(Screen.historyCount, 0);
    MoveCursorAbsolute(23, 0);
    Feed("\n");
    EXPECT_EQ(Row(23), "") << "the line scrolled in is blank, not an old history line";
}

TEST_F(Store, VtScreenRowsOnlyForVtEmulationsAndSensibleCounts)
{
    for (int rows : {0, 65, 24})
        SetVtScreenRows(rows);
    EmulationId = 4;
    SetVtScreenRows(30);
    EXPECT_EQ(doubles::Display().Count("resize"), 0);
    EmulationId = 1;
    SetVtScreenRows(30);
    EXPECT_EQ(doubles::Display().Count("resize"), 1);
}

TEST_F(Store, EmulationFromFlagsNamesTheRunningFamilyByItsFirstId)
{
    EXPECT_EQ(GetEmulationFromFlags(), 0);
    {
        TestFamily aixterm(FamilyHooks{.emulations = EmulationBit(kEmuAixterm)});
        EXPECT_EQ(GetEmulationFromFlags(), 23);
    }
    {
        TestFamily wyse(FamilyHooks{.emulations = EmulationBit(kEmuWy60) | EmulationBit(kEmuWy50)});
        EXPECT_EQ(GetEmulationFromFlags(), 8);
    }
    {
        TestFamily dg(FamilyHooks{.emulations = EmulationBit(kEmuDg410)});
        EXPECT_EQ(GetEmulationFromFlags(), 20);
    }
    {
        TestFamily hp(FamilyHooks{.emulations = EmulationBit(kEmuHp70092)});
        EXPECT_EQ(GetEmulationFromFlags(), 18);
    }
    EXPECT_EQ(GetEmulationFromFlags(), 0) << "the DEC VT family runs again";
}

}  // namespace
