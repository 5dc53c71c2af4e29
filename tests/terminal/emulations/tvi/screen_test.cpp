// The TVI page memory: writing, wrapping, graphics, pages and their sizes, locked lines,
// attributes, erasing and boxes.
#include <gtest/gtest.h>

#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/store/lines.h"
#include "tvi_fixture.h"

namespace {

TEST_F(TviTest, TheLastColumnWrapsOnlyWhenTheNextCharacterComes)
{
    Feed(kEsc + "=(o" + "X");
    EXPECT_EQ(Tvi.cursorRow, 8);
    EXPECT_EQ(Tvi.cursorColumn, 79);
    Feed("Y");
    EXPECT_EQ(Line(8).back(), 'X');
    EXPECT_EQ(Line(9), "Y");
}

TEST_F(TviTest, NakAndGraphicsModeChangeTheCharacter)
{
    Feed("\x15"
         "A" +
         kEsc + "$A@" + kEsc + "%");
    EXPECT_EQ(Cell(0, 0).ch, 'A' + 128);
    EXPECT_EQ(Cell(0, 1).ch, 129);
    EXPECT_EQ(Cell(0, 1).flags & kTviGlyphMask, kTviGlyphLines);
    EXPECT_EQ(Cell(0, 2).ch, ' ');
}

TEST_F(TviTest, OnePageOfNinetySixRowsScrollsOnlyAtItsEnd)
{
    Feed(kEsc + "\\3");
    EXPECT_EQ(Tvi.set.rowsPerPage, 96);
    for (int i = 0; i < 95; ++i)
        Feed(std::to_string(i) + "\r\n");
    EXPECT_EQ(Tvi.cursorRow, 95);
    EXPECT_EQ(Tvi.scrollOffset, 95 - 23) << "the view follows the cursor";
    EXPECT_EQ(Line(0), "0");
    Feed("95\r\n");
    EXPECT_EQ(Line(0), "1") << "the region scrolled";
    EXPECT_EQ(Line(94), "95");
}

TEST_F(TviTest, AutoPageGoesOnToTheNextPage)
{
    Feed(kEsc + "v" + kEsc + "=7%" + "page0\n");
    EXPECT_EQ(Tvi.currentPage, 1);
    EXPECT_EQ(Tvi.cursorRow, 0);
    EXPECT_EQ(Tvi.cursorColumn, 10);
    Feed("x" + kEsc + "J");
    EXPECT_EQ(Tvi.currentPage, 0);
    EXPECT_EQ(Line(23), "     page0") << "page 0 is back in the first slot";
    Feed(kEsc + "K");
    EXPECT_EQ(Line(0), "          x");
}

TEST_F(TviTest, ALockedRowKeepsItsPlaceWhileTheRegionScrolls)
{
    Feed(kEsc +
         "=\""
         " locked" +
         kEsc + "!1");
    EXPECT_EQ(Line(2), "locked");
    EXPECT_EQ(TviLineAt(2)->locked, 1);
    Feed(kEsc + "=7 " + "\n" + "\n");
    EXPECT_EQ(Line(2), "locked");
    Feed(kEsc + "!0");
    EXPECT_EQ(TviLineAt(2)->locked, 0);
}

TEST_F(TviTest, AttributesRunToTheLineOrPageEnd)
{
    Feed(kEsc + "=# " + kEsc + "G4text");
    EXPECT_TRUE(Cell(3, 0).rendition & kTviAttrStart);
    EXPECT_TRUE(Cell(3, 79).rendition & kTviReverse);
    EXPECT_FALSE(Cell(4, 0).rendition & kTviReverse);
    Feed(kEsc + "[=2h" + kEsc + "=% " + kEsc + "G8");
    EXPECT_TRUE(Cell(23, 79).rendition & kTviUnderline) << "page attribute mode runs to the page's end";
    // Writing over the attribute start brings back the attribute from the left.
    Feed(kEsc + "=% Z");
    EXPECT_FALSE(Cell(5, 1).rendition & kTviUnderline);
}

TEST_F(TviTest, BoxesMergeIntoTees)
{
    Feed(kEsc + "H##" + kEsc + "=  " + kEsc + "=!#" + kEsc + "H##");
    EXPECT_EQ(Cell(0, 0).ch, 134);
    EXPECT_EQ(Cell(0, 3).ch, 135);
    EXPECT_EQ(Cell(3, 0).ch, 133);
    EXPECT_EQ(Cell(1, 3).ch, 141) << "the second box's corner on the first's edge";
    EXPECT_TRUE(Cell(1, 3).rendition & kTviProtected);
    EXPECT_EQ(TviMergeBox(139, 138), 137);
}

TEST_F(TviTest, ErasesKeepProtectedCellsInProtectMode)
{
    Feed("ab" + kEsc + ")PQ" + kEsc + "(cd" + kEsc + "&\x1e" + kEsc + "[2K");
    EXPECT_EQ(Line(0), "  PQ");
    Feed(kEsc + "'" + kEsc + "*");
    EXPECT_EQ(Line(0), "");
    Feed("abcdef\r" + kEsc + "[3@" + kEsc + "[1P");
    EXPECT_EQ(Line(0), "  abcdef");
}

}  // namespace
