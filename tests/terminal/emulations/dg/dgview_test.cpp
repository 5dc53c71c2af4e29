// What the core reads of the DG screen: the cells the painter is asked to repaint (in the
// columns the view shows), the cursor, and the rows selection and copying take.
#include "dg_fixture.h"

#include "terminal/core/paint/damage.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/emulations/dg/dgview.h"

namespace {

std::string Utf8(const SelectionText& text)
{
    std::string s;
    for (wchar16 u : text) {
        const u32 c = static_cast<u16>(u);
        if (c < 0x80) {
            s.push_back(static_cast<char>(c));
        } else {
            s.push_back(static_cast<char>(0xC0 | c >> 6));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return s;
}

TEST_F(DgTest, ARunOfTextIsOneRecordInTheColumnsTheViewShows)
{
    // Margins 0-161, the cursor to column 100, the view panned to columns 50-130.
    Feed("\036FX00:1\036FP6400\036FC1>");
    ASSERT_EQ(Dg.window.viewLeft, 50);
    TakeDamage();
    Feed("abc");
    FrameDamage d = TakeDamage();
    EXPECT_EQ(d.rows[0].first, 50) << "column 100 is window column 50";
    EXPECT_EQ(d.rows[0].last, 53) << "and the cursor shown after it";
    for (int r = 1; r < 24; ++r)
        EXPECT_TRUE(d.rows[r].Empty()) << r;
}

TEST_F(DgTest, ScrollingTheWindowMovesThePicture)
{
    Feed("\036FB0:00>0");  // windows 0-9 and 10-23
    TakeDamage();
    Feed("\036FP000<\036H");  // scroll the second window up
    const FrameDamage d = TakeDamage();
    ASSERT_EQ(d.moveCount, 1);
    EXPECT_EQ(d.moves[0].r0, 10);
    EXPECT_EQ(d.moves[0].r1, 23);
    EXPECT_FALSE(d.rows[23].Empty()) << "the uncovered row is painted";
}

TEST_F(DgTest, TheCursorIsShownInItsCellOnlyWithinTheView)
{
    Feed("\x10\x05\x02");
    DgShowCursor();
    int row = -1, column = -1;
    ASSERT_TRUE(DgCursorDrawnAt(&row, &column));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(column, 5);
    DgHideCursor();
    EXPECT_FALSE(DgCursorDrawnAt(&row, &column));
    Feed("\036FQ0");  // type 0 is never shown
    DgShowCursor();
    EXPECT_FALSE(DgCursorDrawnAt(&row, &column));
    Feed("\036FQ3");
    DgShowCursor();
    EXPECT_TRUE(DgCursorDrawnAt(&row, &column));
    DgDrawCursor(1);  // the blink tick: type 3 blinks
    EXPECT_FALSE(DgCursorDrawnAt(&row, &column));
    DgDrawCursor(1);
    EXPECT_TRUE(DgCursorDrawnAt(&row, &column));
}

TEST_F(DgTest, SelectionAndCopyReadTheRowsAsTheViewShowsThem)
{
    Feed("\036FS02#top\r\n");
    Feed("\036FK");                   // compressed: 135 columns
    Feed("\036FX00:1\036FP8201end");  // "end" at columns 130-132 of row 1
    const SelectionArea area = ScreenSelectionArea();
    ASSERT_TRUE(area.available);
    const SelectionRange range{0, 0, 1, 134, false};
    ApplySelectionMarks(area, &range, nullptr);
    EXPECT_EQ(Utf8(SelectedText(area)), "£top\r\n" + std::string(130, ' ') + "end\r\n");
    EXPECT_TRUE(Cell(1, 130).flags & kCellSelected);
    EXPECT_EQ(Utf8(SelectionRowText(area, 0)), "£top");
    // Marks are left out of what the host sees: the cells still read the same.
    EXPECT_EQ(Text(1), std::string(130, ' ') + "end");
}

}  // namespace
