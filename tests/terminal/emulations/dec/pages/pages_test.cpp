// Pages, page length and the rectangular-area commands of the VT420 class.
#include <gtest/gtest.h>

#include <string>

#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/vtservices.h"
#include "terminal/emulations/dec/pages/rectangles.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/dec/vt_fixture.h"

namespace {

const std::string kDcs = "\x1bP";
const std::string kSt = "\x1b\\";

// The answer DECRQCRA gives for one cell of the default colours: the one's complement
// of the character with 0x700 for the normal foreground.
std::string ChecksumAnswer(int id, unsigned sum)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", sum & 0xFFFF);
    return kDcs + std::to_string(id) + "!~" + hex + kSt;
}

unsigned Plain(const std::string& text)
{
    unsigned sum = 0;
    for (unsigned char c : text)
        sum += c | 0x700u;
    return ~sum;
}

const ScreenCell& CellAt(int row, int column)
{
    return LineAt(row)->cells[column];
}

class Pages : public VtTest {
protected:
    void SetUp() override
    {
        VtTest::SetUp();
        UsePages();
    }
};

TEST_F(Pages, TheModelDecidesWhetherThereArePages)
{
    EXPECT_EQ(Screen.multiPage, 1u);
    EXPECT_EQ(Screen.pages.pageCount, 6u);
    EXPECT_EQ(Screen.pageLength, 24);
    // VT100 has one page with its history; back to VT500 and the vt420 model, pages.
    EmulationId = 1;
    ApplyPageModeSetting();
    EXPECT_EQ(Screen.multiPage, 0u);
    EXPECT_EQ(Screen.lineCount, Screen.maxLineCount);
    EmulationId = 2;
    TerminalId = 4;  // vt320
    ApplyPageModeSetting();
    EXPECT_EQ(Screen.multiPage, 0u);
    // DECSCL 64 selects the vt420 model, which has pages.
    Feed(C("64;1\"p"));
    EXPECT_EQ(Screen.multiPage, 1u);
}

TEST_F(Pages, PageCommandsMoveBetweenPagesAndStopAtTheEnds)
{
    Feed(C("1;1H") + "A" + C("2 P") + C("1;1H") + "B" + C("1 P"));
    EXPECT_EQ(Row(0), "A");
    EXPECT_EQ(Answer(C("1;2;1;1;1;1*y")), ChecksumAnswer(1, Plain("B")));
    EXPECT_EQ(Answer(C("1;1;1;1;1;1*y")), ChecksumAnswer(1, Plain("A")));
    // NP to the next page and home; past the last page it stays on the last.
    Feed(C("5;5H") + C("U"));
    EXPECT_EQ(ActivePage(), 1);
    EXPECT_EQ(Cursor(), "0,0");
    Feed(C("9U"));
    EXPECT_EQ(ActivePage(), 5);
    Feed(C("20V"));
    EXPECT_EQ(ActivePage(), 0);
    // PPR and PPB keep the cursor where it is.
    Feed(C("3;4H") + C("2 Q"));
    EXPECT_EQ(ActivePage(), 2);
    EXPECT_EQ(Cursor(), "2,3");
    Feed(C(" R"));
    EXPECT_EQ(ActivePage(), 1);
    EXPECT_EQ(Row(0), "B");
    // VT100 has no pages: the commands change nothing.
    EmulationId = 1;
    ApplyPageModeSetting();
    Feed(C("3 P") + C("U"));
    EXPECT_EQ(ActivePage(), 0);
}

TEST_F(Pages, PageLengthTakesOnlyTheLengthsOfTheTerminal)
{
    Feed(C("30t"));
    EXPECT_EQ(Screen.pageLength, 24);
    Feed(C("72t"));
    EXPECT_EQ(Screen.pageLength, 72);
    EXPECT_EQ(Screen.pages.pageCount, 2u);
    EXPECT_EQ(Answer(C("72;1H") + C("6n")), C("72;1R"));
    Feed(C("999;1H") + C("144t"));
    EXPECT_EQ(Screen.pageLength, 144);
    EXPECT_EQ(Answer(C("6n")), C("72;1R"));
    Feed(C("24t"));
    EXPECT_EQ(Answer(C("6n")), C("24;1R"));
    // Without pages DECSLPP is another command's.
    EmulationId = 1;
    ApplyPageModeSetting();
    Feed(C("48t"));
    EXPECT_EQ(Screen.pageLength, Screen.rows);
}

TEST_F(Pages, ChecksumIsTheComplementOfThePlainSum)
{
    EXPECT_EQ(Answer(C("1;1;1;1;1;1*y")), ChecksumAnswer(1, 0xF8DF));
    // Two equal cells do not cancel out, and one changed cell always shows.
    Feed(C("1;1H") + "AA");
    const std::string both = Answer(C("7;1;1;1;1;2*y"));
    EXPECT_EQ(both, ChecksumAnswer(7, Plain("AA")));
    Feed(C("1;2H") + "B");
    EXPECT_NE(Answer(C("7;1;1;1;1;2*y")), both);
    // Renditions and colours count: bold, underline and reverse; a foreground other
    // than the normal one, a background other than the normal and the screen's.
    Feed(C("1;1H") + C("1;4;7m") + "A" + C("m"));
    EXPECT_EQ(Answer(C("1;1;1;1;1;1*y")), ChecksumAnswer(1, ~(0x71u | 0x800u | 0x700u)));
    EXPECT_EQ(CellChecksumValue(ScreenCell{'B', 0x02, 0, 0}), 0x42u | 0x40u | 0x100u);
    EXPECT_EQ(CellChecksumValue(ScreenCell{'B', 0x17, 0, 0}), 0x42u | 0x700u | 0x40u | 0x4000u);
    EXPECT_EQ(CellChecksumValue(ScreenCell{'B', 0x07, kRendBlink | kRendInvisible | kRendProtected, 0}),
              0xFFFF8000u | (0x42u ^ 0x04u ^ 0x08u) | 0x700u);
    // Parameters far out of range are clamped to the page.
    EXPECT_EQ(Answer(C("1;99;65535;65535;65535;65535*y")), ChecksumAnswer(1, Plain(" ")));
    // Only the VT420 class answers.
    TerminalId = 4;
    EXPECT_EQ(Answer(C("1;1;1;1;1;1*y")), "");
}

TEST_F(Pages, RenditionsChangeInARectangleOrAStream)
{
    Feed(C("2;1H") + std::string(80, 'x') + std::string(80, 'y') + std::string(80, 'z'));
    // Four parameters name only the area: nothing to apply.
    Feed(C("2;1;4;80$r"));
    EXPECT_EQ(CellAt(1, 0).rendition & 0x1F, 0);
    // Stream extent (the default): from 2;70 to 4;10 with whole rows between.
    Feed(C("2;70;4;10;1;4$r"));
    EXPECT_EQ(CellAt(1, 68).rendition & 0x1F, 0);
    EXPECT_EQ(CellAt(1, 69).rendition & 0x1F, kRendBold | kRendUnderline);
    EXPECT_EQ(CellAt(2, 0).rendition & 0x1F, kRendBold | kRendUnderline);
    EXPECT_EQ(CellAt(3, 9).rendition & 0x1F, kRendBold | kRendUnderline);
    EXPECT_EQ(CellAt(3, 10).rendition & 0x1F, 0);
    // Rectangle extent: only the columns named, on every row; 0 clears, 24 removes.
    Feed(C("2*x") + C("2;5;4;6;0;5;7$r") + C("2;5;2;5;25$r"));
    EXPECT_EQ(CellAt(1, 4).rendition & 0x1F, kRendReverse);
    EXPECT_EQ(CellAt(2, 5).rendition & 0x1F, kRendBlink | kRendReverse);
    EXPECT_EQ(CellAt(2, 6).rendition & 0x1F, kRendBold | kRendUnderline);
    EXPECT_TRUE(LineAt(2)->cells[0].flags & kLineBlinks);
    // DECRARA toggles, blank cells as well; 0 names no attribute.
    Feed(C("2;5;2;6;7;1$t") + C("10;10;10;10;4;7$t") + C("10;10;10;10;0$t"));
    EXPECT_EQ(CellAt(1, 4).rendition & 0x1F, kRendBold);
    EXPECT_EQ(CellAt(1, 5).rendition & 0x1F, kRendBlink | kRendBold);
    EXPECT_EQ(CellAt(9, 9).rendition & 0x1F, kRendUnderline | kRendReverse);
    // With a marker, nothing.
    Feed(C("?10;10;10;10;7$t"));
    EXPECT_EQ(CellAt(9, 9).rendition & 0x1F, kRendUnderline | kRendReverse);
}

TEST_F(Pages, CopyReadsTheWholeSourceAndStopsAtTheDestinationsEdge)
{
    Feed(C("1;1H") + "abc" + C("2;1H") + "def");
    // Overlapping on one page: the source is read whole before it is written.
    Feed(C("1;1;2;3;1;1;2$v"));
    EXPECT_EQ(Row(0), "aabc");
    EXPECT_EQ(Row(1), "ddef");
    // To another page and back.
    Feed(C("1;1;2;4;1;5;5;3$v") + C("3 P"));
    EXPECT_EQ(Row(4), "    aabc");
    Feed(C("1 P"));
    // A destination at the bottom right corner takes only what fits there.
    Feed(C("1;1;2;4;1;24;80;1$v"));
    EXPECT_EQ(CellAt(23, 79).ch, 'a');
    EXPECT_EQ(Row(22), "");
    EXPECT_EQ(Row(1), "ddef");
    // Page numbers beyond the last are the last page.
    Feed(C("1;1;1;1;99;1;1;99$v") + C("6 P"));
    EXPECT_EQ(Row(0), "");
}

TEST_F(Pages, FillEraseAndSelectiveErase)
{
    Feed(C("7m") + C("88;2;2;3;4$x") + C("m"));
    EXPECT_EQ(Row(1), " XXX");
    EXPECT_EQ(CellAt(2, 3).rendition & kRendReverse, kRendReverse);
    // A character that is no graphic one fills nothing.
    Feed(C("7;2;2;3;4$x") + C("300;2;2;3;4$x"));
    EXPECT_EQ(Row(1), " XXX");
    // DECSERA spares protected cells, DECERA erases all of them with no rendition.
    Feed(C("5;1H") + C("1\"q") + "P" + C("0\"q") + "u");
    Feed(C("5;1;5;2${"));
    EXPECT_EQ(Row(4), "P");
    Feed(C("2;2;3;3$z"));
    EXPECT_EQ(Row(1), "   X");
    EXPECT_EQ(CellAt(2, 1).rendition, 0);
    EXPECT_EQ(CellAt(2, 3).rendition & kRendReverse, kRendReverse);
}

TEST_F(Pages, ColumnsAreInsertedAndDeletedInTheScrollRegion)
{
    Feed(C("1;1H") + "abc" + C("2;1H") + "def" + C("3;1H") + "ghi");
    Feed(C("2;3r") + C("2;2H") + C("'}"));
    EXPECT_EQ(Row(0), "abc");
    EXPECT_EQ(Row(1), "d ef");
    EXPECT_EQ(Row(2), "g hi");
    Feed(C("2;1H") + C("2'~"));
    EXPECT_EQ(Row(1), "ef");
    // Outside the region DECIC does nothing.
    Feed(C("r") + C("3;10r") + C("1;1H") + C("'}"));
    EXPECT_EQ(Row(0), "abc");
}

TEST_F(Pages, ExtremeParametersLeaveTheTerminalAnswering)
{
    const std::string big = "65535";
    std::string stream;
    for (const char* final :
         {"$r", "$t", "$v", "$x", "$z", "${", "*y", "'}", "'~", " P", " Q", " R", "U", "V", "t", "*|", "*x"}) {
        stream += C(big + ";" + big + ";" + big + ";" + big + ";" + big + ";" + big + ";" + big + ";" + big +
                    final);
        stream += C("0;0;0;0;0;0;0;0" + std::string(final));
    }
    Feed(stream + C("72t") + C("72;132H") + stream);
    EXPECT_EQ(Answer(C("5n")), C("0n"));
}

TEST_F(Pages, EveryPageKeepsMarginsThatFitTheStore)
{
    // Page 2 gets margins low on a long page; a shorter page length must not bring them
    // back when page 2 shows again.
    Feed(C("72t") + C("2 P") + C("50;70r") + C("1 P") + C("24t") + C("2 P"));
    EXPECT_LT(Screen.bottom, Screen.pageLength);
    EXPECT_LT(Screen.top, Screen.bottom);
    // Nor right margins beyond 80 columns after the line narrows.
    Feed(C("?3h") + C("?69h") + C("1 P") + C("100;120s") + C("2 P") + C("?3l") + C("1 P"));
    EXPECT_LE(Screen.right, Screen.lastColumn);
    EXPECT_LT(Screen.left, Screen.right);
    // A page length set while the host writes the status line is the main display's.
    Feed(C("2$~") + C("1$}") + C("72t") + C("0$}"));
    EXPECT_EQ(Screen.pageLength, 72);
    EXPECT_LT(Screen.top, Screen.bottom);
    EXPECT_LT(Screen.bottom, Screen.pageLength);
}

TEST_F(Pages, TheViewFollowsTheCursorOverALongPageWithoutTheScrollBar)
{
    Screen.scrollBarOn = 0;
    Feed(C("72t") + C("60;1H") + "x");
    EXPECT_EQ(Screen.historyCapacity, 72 - Screen.rows);
    EXPECT_GE(Screen.firstLine, 60 - Screen.rows);
    EXPECT_LE(Screen.firstLine, Screen.historyCapacity);
}

}  // namespace
