// The page store: pages carved by page format and memory size, split-screen windows,
// scrolling the region, and what the store hangs into the shared line table.
#include <gtest/gtest.h>

#include <string>

#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/emulations/wyse/paint/rowlook.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "wyse_fixture.h"

namespace {

using Store = WyseTest;

// Select and Copy read the Wyse rows through the display hooks: an embedded attribute
// copies as a blank, a double-width line offers half its columns at twice the width, and
// a marked cell paints with its colours exchanged.
TEST_F(Store, SelectionReadsTheRowsTheWindowShows)
{
    Start(kEmuWy50);
    Feed(At(0, 0) + "ab" + E("G4") + "cd" + At(1, 0) + "wide");
    WyseLineAttribute(WyStore.row[2]) |= kWyDoubleWidth;
    const SelectionArea area = ScreenSelectionArea();
    ASSERT_TRUE(area.available);
    EXPECT_EQ(area.highestRow, 25);  // status line, 24 text rows, label line
    EXPECT_EQ(area.rightColumn, 79);
    const SelectionRow wide = SelectionRowAt(area, 2);
    EXPECT_EQ(wide.columns, 40);
    EXPECT_GT(wide.cellWidth, 0);
    EXPECT_EQ(SelectionRowAt(area, 26).cells, nullptr);

    u8 carry[kWyseScreenRows];
    WyseRowCarries(carry);
    WysePaintCell before[1];
    WyseRowLooks(1, carry[1], before, 1);
    const SelectionRange rows{1, 0, 2, 79};
    ASSERT_GT(ApplySelectionMarks(area, &rows, nullptr), 0);
    const SelectionText text = SelectedText(area);
    EXPECT_EQ(std::u16string(text.begin(), text.end()), u"ab cd\r\nwide\r\n");
    WysePaintCell marked[1];
    WyseRowLooks(1, carry[1], marked, 1);
    EXPECT_EQ(marked[0].foreground, before[0].background);
    EXPECT_EQ(marked[0].background, before[0].foreground);
    ApplySelectionMarks(area, nullptr, nullptr);
    EXPECT_FALSE(WyStore.row[1]->cells[0].flags & kCellSelected);
}

TEST_F(Store, PagesByFormatAndMemory)
{
    const struct {
        u8 id;
        u8 economy, format;
        u16 lines;
        int pages, firstLength, secondLength;
    } cases[] = {
        {kEmuWy60, 0, 0, 24, 2, 24, 24},      // 48 lines of page memory
        {kEmuWy60, 0, 2, 24, 2, 24, 24},      // 96 lines do not fit: format 0
        {kEmuWy50, 1, 0, 24, 7, 24, 24},      // 169 lines
        {kEmuWy50, 0, 0, 24, 4, 24, 24},      // 103 lines
        {kEmuWy50Plus, 0, 3, 42, 2, 42, 61},  // one page and the rest
        {kEmuWy50Plus, 1, 3, 24, 2, 24, 145},
    };
    for (const auto& c : cases) {
        Start(c.id);
        WySet.economy = c.economy;
        WySet.pageFormat = c.format;
        WySet.dispSize = c.lines;
        WyseRebuildScreen(true);
        EXPECT_EQ(WyStore.pageCount, c.pages) << int(c.id) << " format " << int(c.format);
        EXPECT_EQ(WyStore.page[0].length, c.firstLength);
        EXPECT_EQ(WyStore.page[1].length, c.secondLength);
        LeaveWyse();
    }
}

TEST_F(Store, RowsAndLabelRowByDisplaySize)
{
    const struct {
        u16 lines;
        int rows, labelRow;
    } cases[] = {{24, 26, 25}, {25, 26, -1}, {42, 44, 43}, {43, 44, -1}};
    for (const auto& c : cases) {
        Start(kEmuWy60);
        WySet.dispSize = c.lines;
        WyseRebuildScreen(true);
        EXPECT_EQ(WyStore.rowsInUse, c.rows);
        EXPECT_EQ(Screen.rows, c.rows);
        EXPECT_EQ(WyStore.labelRow, c.labelRow);
        LeaveWyse();
    }
}

TEST_F(Store, LeavingGivesTheCoreItsLinesBack)
{
    const int rows = Screen.rows, lines = Screen.lineCount;
    Start(kEmuWy50);
    EXPECT_EQ(Screen.lineOwner, 1);
    EXPECT_EQ(Screen.lines[1], WyStore.row[1]);
    LeaveWyse();
    EXPECT_EQ(Screen.lineOwner, 0);
    EXPECT_EQ(Screen.rows, rows);
    EXPECT_EQ(Screen.lineCount, lines);
    EXPECT_NE(LineAt(1), nullptr);
}

TEST_F(Store, Wy50PlusBlanksWithNulsAndWy50WithSpaces)
{
    Start(kEmuWy50Plus);
    EXPECT_EQ(WyStore.row[1]->cells[5].ch, 0);
    LeaveWyse();
    Start(kEmuWy50);
    EXPECT_EQ(WyStore.row[1]->cells[5].ch, ' ');
}

TEST_F(Store, NextPageKeepsEachPagesCursor)
{
    Start(kEmuWy60);
    Feed(At(3, 4) + "first");
    Feed(E("K") + "second");
    EXPECT_EQ(WyStore.shownPage, 1);
    EXPECT_EQ(Text(0), "second");
    Feed(E("J"));
    EXPECT_EQ(Text(3), "    first");
    EXPECT_EQ(Cursor(), "3,9");
}

TEST_F(Store, SplitScreenWindowsScrollApart)
{
    Start(kEmuWy50);
    Feed(E("x1") + "\x2a");  // split at row 10
    ASSERT_EQ(WyStore.splitMode, 1);
    EXPECT_EQ(WyStore.window[0].rows, 10);
    EXPECT_EQ(WyStore.window[1].firstRow, 11);
    Feed("upper");
    Feed(E("}") + "lower");
    EXPECT_EQ(Text(0), "upper");
    EXPECT_EQ(Text(10), "lower");
    // A line feed at the bottom of the upper window scrolls only the upper window.
    Feed(E("]") + At(9, 0) + "\nnew");
    EXPECT_EQ(Text(9), "new");
    EXPECT_EQ(Text(10), "lower");
}

TEST_F(Store, LineFeedAtTheBottomWithoutAutoScrollGoesToTheTop)
{
    Start(kEmuWy50);
    Feed("top" + E("N") + At(23, 0) + "bottom\n");
    EXPECT_EQ(Cursor(), "0,6");
    EXPECT_EQ(Text(0), "top");
    EXPECT_EQ(Text(23), "bottom");
}

TEST_F(Store, LockedLineKeepsItsPlaceOnScroll)
{
    Start(kEmuWy50Plus);
    Feed(At(2, 0) + "locked" + E("`H") + At(23, 0) + "\n\n");
    EXPECT_EQ(Text(2), "locked");
    Feed(E("`I"));
    EXPECT_FALSE(WyStore.anyLocked);
}

}  // namespace
