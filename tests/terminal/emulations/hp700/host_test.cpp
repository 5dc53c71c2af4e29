// The HP 700/92's byte path and escape repertoire: display memory, the group parser,
// cursor addressing, modes, and malformed input.
#include "hp700_fixture.h"

#include "terminal/core/host/hostio.h"
#include "terminal/emulations/hp700/memory/memory.h"

namespace {

TEST_F(Hp700Test, TextAndControlsReachTheWindow)
{
    Feed(std::string("AB\r\nC\x08"
                     "D\x00\x7f"
                     "E",
                     10));
    EXPECT_EQ(ScreenRow(0), "AB");
    EXPECT_EQ(ScreenRow(1), "DE") << "BS moves back; NUL and DEL never reach the screen";
    EXPECT_EQ(Hp700.cursorRow, 1);
    EXPECT_EQ(Hp700.cursorColumn, 2);
}

TEST_F(Hp700Test, EnqIsAnsweredOnlyWithPacing)
{
    Feed("\x05"
         "A");
    EXPECT_EQ(TakeSent(), "\x06");
    EXPECT_EQ(ScreenRow(0), "A");
    Hp700.settings.enqack = 0;
    Feed("\x05");
    EXPECT_EQ(TakeSent(), "");
}

// Memory of N pages holds 24N lines; once the window shows its last 24, each line feed
// at the bottom loses line 0.
TEST_F(Hp700Test, MemoryRollsUntilFullThenLosesItsFirstLine)
{
    for (int pages : {2, 4, 8}) {
        SCOPED_TRACE(pages);
        ASSERT_TRUE(Hp700SetMemoryPages(pages));
        const int m = 24 * pages;
        std::string text;
        for (int i = 0; i < m; ++i)
            text += "L" + std::to_string(i) + (i + 1 < m ? "\r\n" : "");
        Feed(text);
        EXPECT_EQ(MemoryLine(0), "L0");
        EXPECT_EQ(MemoryLine(m - 1), "L" + std::to_string(m - 1));
        EXPECT_TRUE(Hp700MemoryFull());
        EXPECT_EQ(ScreenRow(23), "L" + std::to_string(m - 1));
        Feed("\r\nX");
        EXPECT_EQ(MemoryLine(0), "L1") << "line 0 is lost";
        EXPECT_EQ(ScreenRow(23), "X");
        EXPECT_EQ(ScreenRow(22), "L" + std::to_string(m - 1));
        Feed(Esc("H") + Esc("J"));
    }
}

TEST_F(Hp700Test, PageCountOutsideTwoToEightIsRefused)
{
    EXPECT_FALSE(Hp700SetMemoryPages(1));
    EXPECT_FALSE(Hp700SetMemoryPages(9));
    EXPECT_EQ(Hp700.pages, 4);
    EXPECT_EQ(Hp700.settings.pages, 4);
    EXPECT_TRUE(Hp700SetMemoryPages(8));
    EXPECT_EQ(Hp700.memoryLines, 192);
}

struct CursorCase {
    const char* name;
    std::string setup, sequence;
    int row, column;
};

TEST_F(Hp700Test, CursorAddressing)
{
    // clang-format off
    const CursorCase cases[] = {
        {"column and memory row",   "",                 Esc("&a5c3R"),  3, 5},
        {"terminfo's cup",          "",                 Esc("&a5y10C"), 5, 10},
        {"relative right",          Esc("&a10C"),       Esc("&a+2C"),   0, 12},
        {"relative left",           Esc("&a10C"),       Esc("&a-2C"),   0, 8},
        {"minus without digits",    Esc("&a10C"),       Esc("&a-C"),    0, 10},
        {"clamped column",          "",                 Esc("&a999C"),  0, 79},
        {"saturated digits",        "",                 Esc("&a99999999999999999999C"), 0, 79},
        {"clamped screen row",      "",                 Esc("&a40Y"),   23, 0},
    };
    // clang-format on
    for (const CursorCase& c : cases) {
        SCOPED_TRACE(c.name);
        Feed(Esc("H") + Esc("J") + c.setup + c.sequence);
        EXPECT_EQ(Hp700.cursorRow, c.row);
        EXPECT_EQ(Hp700.cursorColumn, c.column);
    }
}

// A relative screen row counts from the screen row even after memory rolled.
TEST_F(Hp700Test, RelativeScreenRowCountsFromTheScreen)
{
    std::string text;
    for (int i = 1; i <= 30; ++i)
        text += std::to_string(i) + "\r\n";
    Feed(text + Esc("&a-2Y"));
    EXPECT_EQ(Hp700CursorScreenRow(), 21);
    EXPECT_EQ(Hp700.cursorRow, Hp700.viewTop + 21);
}

TEST_F(Hp700Test, DesignatorsAndModes)
{
    Feed(Esc("(B") + Esc(")B") + "x");
    EXPECT_EQ(ScreenRow(0), "Bx") << "only ESC ) consumes a designator";
    Feed(Esc("&k1a0B"));
    EXPECT_EQ(Hp700.settings.autolf, 1);
    EXPECT_EQ(Hp700.settings.blockmode, 0);
    Feed(Esc("&k1B") + Esc("&k2B"));
    EXPECT_EQ(Hp700.settings.blockmode, 1) << "a value other than 0 or 1 leaves the mode";
    Feed(Esc("&s1d1G"));
    EXPECT_EQ(Hp700.settings.txpage, 1);
    EXPECT_EQ(Hp700.settings.inhhndshk, 1);
}

// An ESC inside a sequence ends it; the second sequence is parsed whole.
TEST_F(Hp700Test, EscapeInsideASequenceStartsAFreshOne)
{
    Feed(Esc("&a5") + Esc("&a3C") + "x");
    EXPECT_EQ(Hp700.cursorColumn, 4);
    EXPECT_EQ(ScreenRow(0), "   x");
}

// Hundreds of groups end the parse at the table's end; nothing past it is written.
TEST_F(Hp700Test, ThreeHundredGroupsStayInTheTable)
{
    std::string groups;
    for (int i = 0; i < 300; ++i)
        groups += "1c";
    Feed(Esc("&a") + groups + "5C" + "y");
    EXPECT_EQ(Hp700.groups->count, 256);
    EXPECT_EQ(MemoryLine(1).substr(MemoryLine(1).size() - 3), "5Cy") << "what follows the 256th group is text";
}

TEST_F(Hp700Test, UnterminatedSequenceConsumesNothingAfterTheReaderStops)
{
    Feed(Esc("&a12"));
    // The reader ran dry: the sequence was abandoned; the next bytes are text.
    Feed("Z");
    EXPECT_EQ(ScreenRow(0).back(), 'Z');
}

TEST_F(Hp700Test, EditingSequences)
{
    Feed("ABCDE" + Esc("&a1C") + Esc("P"));
    EXPECT_EQ(ScreenRow(0), "ACDE");
    Feed(Esc("Q") + "x" + Esc("R"));
    EXPECT_EQ(ScreenRow(0), "AxCDE");
    Feed(Esc("&a3C") + Esc("K"));
    EXPECT_EQ(ScreenRow(0), "AxC");
    Feed("\r\nline2\r\nline3" + Esc("&a1Y") + Esc("M"));
    EXPECT_EQ(ScreenRow(1), "line3");
    Feed(Esc("L"));
    EXPECT_EQ(ScreenRow(1), "");
    EXPECT_EQ(ScreenRow(2), "line3");
    Feed(Esc("H") + Esc("J"));
    EXPECT_EQ(ScreenRow(0), "");
    EXPECT_EQ(Hp700LastUsedLine(), -1);
}

TEST_F(Hp700Test, TabsAndMargins)
{
    Feed(Esc("&a10C") + Esc("1") + Esc("&a20C") + Esc("1") + "\r\tx\ty");
    EXPECT_EQ(ScreenRow(0), "          x         y");
    Feed(Esc("3") + "\r\t");
    EXPECT_EQ(Hp700.cursorRow, 1) << "without stops a tab goes to the next line";
    BellPending = 0;
    Feed(Esc("&a40C") + Esc("5") + Esc("&a50C") + Esc("4"));
    EXPECT_EQ(Hp700.leftMargin, 0) << "a left margin right of the right margin is refused";
    EXPECT_NE(BellPending.load(), 0);
}

// ESC & j L: 80 characters a line, CR back to line 1, LF to line 2; the rest dropped.
TEST_F(Hp700Test, LabelTextStaysInItsLines)
{
    std::string text(100, 'a');
    text += "\n";
    text += std::string(59, 'b');
    Feed(Esc("&j160L") + text + "Z");
    const HpLine& first = Hp700.labelLines[2 * kHpMenuLabels];
    const HpLine& second = Hp700.labelLines[2 * kHpMenuLabels + 1];
    EXPECT_EQ(first.cells[79].ch, 'a');
    EXPECT_EQ(first.cells[80].ch, 0) << "nothing past column 79";
    EXPECT_EQ(second.cells[58].ch, 'b');
    EXPECT_EQ(ScreenRow(0), "Z") << "the 161st byte is data again";
}

TEST_F(Hp700Test, RollingAndPagingMoveTheWindow)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "L" + std::to_string(i) + "\r\n";
    Feed(text);
    const int bottomView = Hp700.viewTop;
    Feed(Esc("T"));
    EXPECT_EQ(Hp700.viewTop, bottomView - 1);
    Feed(Esc("V"));
    EXPECT_EQ(Hp700.viewTop, bottomView - 25);
    Feed(Esc("H"));
    EXPECT_EQ(Hp700.viewTop, 0);
    EXPECT_EQ(ScreenRow(0), "L0");
    Feed(Esc("U"));
    EXPECT_EQ(ScreenRow(0), "L24");
    Feed(Esc("F"));
    EXPECT_EQ(Hp700.cursorRow, Hp700LastUsedLine());
}

TEST_F(Hp700Test, MemoryLockKeepsTheLinesAboveTheCursor)
{
    Feed("head1\r\nhead2\r\n" + Esc("l"));
    ASSERT_TRUE(Hp700LockRangeSet());
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "L" + std::to_string(i) + "\r\n";
    Feed(text);
    EXPECT_EQ(ScreenRow(0), "head1");
    EXPECT_EQ(ScreenRow(1), "head2");
    EXPECT_EQ(ScreenRow(22), "L39");
    Feed(Esc("m"));
    EXPECT_FALSE(Hp700.memoryLock);
}

}  // namespace
