// The VT character path: controls, C1, DEL, the writer and the character sets.
#include "terminal/core/hostpath_fixture.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/emulations/dec/vtchar.h"
#include "terminal/emulations/dec/services.h"

namespace {

using VtPath = HostPathTest;

const ScreenCell& Cell(int row, int column)
{
    return LineAt(row)->cells[column];
}

TEST_F(VtPath, C1IsAControlExceptInTheCodePageSets)
{
    // clang-format off
    Feed("\x9b" "5mA");
    // clang-format on
    EXPECT_EQ(Row(0), "A");
    PaintSettings.characterMode = 4;
    Feed("\x9b");
    EXPECT_EQ(Cell(0, 1).ch, 0x9B);
    EXPECT_EQ(Screen.cursorColumn, 2);
}

TEST_F(VtPath, DelIsShownOnlyWithDisplayErrors)
{
    Feed("\x7f");
    EXPECT_EQ(Screen.cursorColumn, 0);
    VtMode.displayErrors = 1;
    Feed("\x7f");
    EXPECT_EQ(Cell(0, 0).ch, 133);
    EXPECT_EQ(Cell(0, 0).flags & kGlyphSetMask, 3);
}

TEST_F(VtPath, DisplayControlsShowsEscBracket3lAndThenEnds)
{
    PaintSettings.displayControls = 1;
    Feed("\r\x1b[3lA\x1b[1mB");
    EXPECT_EQ(PaintSettings.displayControls, 0);
    const std::string row = Row(0);
    EXPECT_EQ(row, std::string("\r\x1b[3lAB"));
}

TEST_F(VtPath, NakIsANewLineOnlyOnTheScoConsole)
{
    Feed("a\x15");
    EXPECT_EQ(Screen.cursorRow, 0);
    EmulationId = 5;
    Feed("\x15");
    EXPECT_EQ(Screen.cursorRow, 1);
    EXPECT_EQ(Screen.cursorColumn, 0);
}

TEST_F(VtPath, WrapHappensBeforeTheNextCharacterOnly)
{
    Feed(std::string(80, 'a'));
    EXPECT_EQ(Screen.cursorRow, 0);
    EXPECT_EQ(Screen.cursorColumn, 79);
    EXPECT_EQ(PendingWrap, 1);
    Feed("b");
    EXPECT_EQ(Row(1), "b");
    VtMode.autoWrap = 0;
    Feed("\r" + std::string(85, 'c'));
    EXPECT_EQ(Row(1), std::string(80, 'c'));
    EXPECT_EQ(Screen.cursorRow, 1);
}

TEST_F(VtPath, ReverseWrapBackspaceGoesToTheRowAbove)
{
    Feed("\r\nx\b\b");
    EXPECT_EQ(Screen.cursorRow, 1);
    EXPECT_EQ(Screen.cursorColumn, 0);
    VtMode.reverseWrap = 1;
    Feed("\b");
    EXPECT_EQ(Screen.cursorRow, 0);
    EXPECT_EQ(Screen.cursorColumn, 79);
}

TEST_F(VtPath, InsertModeShiftsTheRestOfTheLine)
{
    Feed("abc\r");
    VtMode.insertMode = 1;
    Feed("X");
    EXPECT_EQ(Row(0), "Xabc");
}

TEST_F(VtPath, WritingKeepsTheLineAttributesOfCellZero)
{
    LineSetDoubleWidth(LineAt(0));
    Feed("ab");
    EXPECT_TRUE(Cell(0, 0).flags & kLineDoubleWidth);
    EXPECT_EQ(Cell(0, 0).ch, 'a');
    EXPECT_TRUE(Cell(0, 0).rendition & kRendWritten);
    Feed(std::string(40, 'z'));
    EXPECT_EQ(Screen.cursorRow, 1) << "a double-width line wraps at column 39";
}

TEST_F(VtPath, ColourFollowsTheCharacterClass)
{
    VtMode.colourByClass = 1;
    CurrentColour = 0x0F;  // bright foreground: bit 3 carries over
    Feed("a1(+#");
    const u8 expected[] = {0x0E, 0x0B, 0x0A, 0x0D, 0x0F};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(Cell(0, c).colour, expected[c]) << "column " << c;
}

TEST_F(VtPath, ChangedSpanIsPaintedWhenTheCursorLeavesTheRowOrTheReaderIdles)
{
    for (char c : std::string("abc"))
        VtProcessChar(c);
    EXPECT_EQ(doubles::Display().Count("row"), 0) << "still pending on the cursor row";
    VtProcessChar('\r');
    VtProcessChar('\n');
    ASSERT_EQ(doubles::Display().Count("row"), 1);
    for (const doubles::DisplayCall& call : doubles::Display().calls)
        if (call.what == "row") {
            EXPECT_EQ(call.a, 0) << "row";
            EXPECT_EQ(call.b, 0) << "first column";
            EXPECT_EQ(call.c, 2) << "last column";
        }
    VtProcessChar('z');
    Feed("");
    EXPECT_EQ(doubles::Display().Count("row"), 2) << "idle work paints what is pending";
}

struct DesignationCase {
    int c, designation;
    bool set96;
    u32 setting;
    u8 ch, glyphSet;
};

TEST(CharacterSets, DesignationsMapCharactersAndGlyphSets)
{
    // clang-format off
    const DesignationCase cases[] = {
        {'q', 2, false, 0, 'q', 3},     // line drawing
        {'A', 2, false, 0, 'A', 0},
        {'i', 6, true, 0, 0xE9, 0},     // Latin-1 supplement
        {' ', 6, true, 0, ' ', 0},
        {'(', 4, false, 0, 0xA4, 0},    // DEC supplemental: 0xA8 is the currency sign
        {' ', 4, true, 0, 132, 3},      // 0xA0 has no glyph there
        {' ', 4, true, 1, ' ', 0},      // unless the setting keeps the space
        {'W', 4, false, 0, 0x81, 0},
        {'w', 4, false, 0, 0x83, 0},
        {'<', 15, false, 0, '{', 2},    // technical set
        {'a', 15, false, 0, 0x01, 0},
        {'/', 15, false, 0, ' ', 0},
        {'x', 7, false, 0, 'x', 1},
        {'x', 8, false, 0, 'x', 2},
        {'a', 13, false, 19, 0x01, 5},
        {'!', 13, false, 19, '!', 4},
        {'a', 13, false, 0, 'a', 0},
        {' ', 2, false, 0, ' ', 0},     // a 94-set leaves the space alone
        {'a', 1, false, 0, 'a', 0},
    };
    // clang-format on
    for (const DesignationCase& c : cases) {
        PaintSettings.characterMode = c.setting;
        const MappedChar m = MapCharByDesignation(c.c, c.designation, c.set96);
        EXPECT_EQ(m.ch, c.ch) << "char " << c.c << " designation " << c.designation;
        EXPECT_EQ(m.glyphSet, c.glyphSet) << "char " << c.c << " designation " << c.designation;
    }
    PaintSettings.characterMode = 0;
}

TEST_F(VtPath, ShiftsSelectTheInvokedSet)
{
    VtMode.designation[1] = 2;  // G1 line drawing
    Feed("q\x0eq\x0fq\xe9");
    EXPECT_EQ(Cell(0, 0).flags & kGlyphSetMask, 0);
    EXPECT_EQ(Cell(0, 1).flags & kGlyphSetMask, 3);
    EXPECT_EQ(Cell(0, 2).flags & kGlyphSetMask, 0);
    EXPECT_EQ(Cell(0, 3).ch, 0xE9) << "GR holds the Latin-1 supplement";
}

}  // namespace
