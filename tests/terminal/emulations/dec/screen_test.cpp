// What the DEC commands do to the screen: character sets and soft fonts, renditions and
// colours, cursor moves, erasing, tab stops and line attributes.
#include <gtest/gtest.h>

#include "support/doubles_host.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/screen/celltext.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/softfont.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/settings/store/colours.h"
#include "vt_fixture.h"

namespace {

using Charset = VtTest;
using Rendition_ = VtTest;
using Screen_ = VtTest;

const ScreenCell& CellAt(int row, int column)
{
    return LineAt(row)->cells[column];
}

std::u16string ShownText(int row, int first, int count)
{
    std::u16string s;
    for (int c = first; c < first + count; ++c)
        s.push_back(static_cast<char16_t>(CellRecordToUnicode(CellAt(row, c))));
    return s;
}

// ---- character sets ----

TEST_F(Charset, DesignationsByFinalAndSize)
{
    struct Case {
        u8 emulation;
        u8 multinational;
        u8 language;
        std::string sequence;
        int g;
        u8 code;  // 0: left as it was
    };
    // clang-format off
    const Case cases[] = {
        {2, 1, 0, E("(0"), 0, 2},
        {2, 1, 0, E("-0"), 1, 0},   // a 94-character set refuses the 96 form
        {2, 1, 0, E("(%5"), 0, 5},
        {2, 1, 0, E("(%6"), 0, 0},
        {1, 1, 0, E("(<"), 0, 0},   // the user-preferred set is a VT500 set
        {2, 1, 0, E("(<"), 0, 4},
        {2, 1, 0, E("-A"), 1, 6},
        {2, 1, 0, E(")>"), 1, 8},
        {1, 1, 0, E(")>"), 1, 0},
        {2, 1, 1, E("(A"), 0, 3},   // the 'A' rule comes before multinational refusal
        {2, 0, 1, E("(A"), 0, 3},
        {2, 1, 6, E("(K"), 0, 0},   // national sets are refused in multinational mode
        {2, 0, 6, E("(K"), 0, 3},
        {2, 0, 6, E("(Y"), 0, 0},   // not this language's set
        {2, 1, 0, E("*\"4"), 2, 0},  // unknown two-byte final: dropped with its final
    };
    // clang-format on
    for (const Case& c : cases) {
        EmulationId = c.emulation;
        Vt300Values.mltnat = c.multinational;
        KeyboardTypeIndex = c.language;
        for (u8& d : VtMode.designation)
            d = 9;  // a mark no designation gives
        Feed(c.sequence + "z");
        EXPECT_EQ(VtMode.designation[c.g], c.code == 0 ? 9 : c.code) << c.sequence.substr(1);
    }
    // The '4' of the dropped designation is consumed with it: only z is shown.
    EXPECT_EQ(Row(0).back(), 'z');
}

TEST_F(Charset, LineDrawingCopiesAsBoxDrawing)
{
    Feed(E("(0") + "lqk" + E("(B") + "q");
    EXPECT_EQ(Row(0), "lqkq");
    EXPECT_EQ(ShownText(0, 0, 4), u"\u250C\u2500\u2510q");
    // SO and SI choose G1 for it the same way.
    Feed("\r\n" + E(")0") + "\x0e" + "x" + "\x0f" + "x");
    EXPECT_EQ(ShownText(1, 0, 2), u"\u2502x");
}

TEST_F(Charset, ShiftsInvokeSets)
{
    Feed(E("*0") + E("+<") + E("N") + "q" + "q" + E("O") + "a" + E("n") + "q" + E("o") + "a");
    EXPECT_EQ(CellAt(0, 0).flags & kGlyphSetMask, 3) << "SS2: one character from G2";
    EXPECT_EQ(CellAt(0, 1).flags & kGlyphSetMask, 0);
    EXPECT_EQ(CellAt(0, 2).ch, 'a' + 128) << "SS3: the user-preferred set in G3";
    EXPECT_EQ(CellAt(0, 3).flags & kGlyphSetMask, 3) << "LS2";
    EXPECT_EQ(CellAt(0, 4).ch, 'a' + 128) << "LS3";
    // GR: LS1R puts G1 there; an 8-bit character then comes from it.
    Feed(E(")0") + E("~") + "\xf1");
    EXPECT_EQ(CellAt(0, 5).flags & kGlyphSetMask, 3);
    // In VT100 the locking shifts do nothing.
    EmulationId = 1;
    Feed(E("n"));
    EXPECT_EQ(VtMode.glSet, 3);
}

TEST_F(Charset, NationalSetOfTheKeyboardLanguage)
{
    KeyboardTypeIndex = 6;  // German
    Feed(C("?42h"));
    ASSERT_EQ(Vt300Values.mltnat, 0);
    ASSERT_EQ(VtMode.designation[0], 3) << "national mode puts the national set everywhere";
    Feed("[\\]{|}~@");
    EXPECT_EQ(ShownText(0, 0, 8), u"\u00C4\u00D6\u00DC\u00E4\u00F6\u00FC\u00DF\u00A7");
    Feed(C("?42l") + "[");
    EXPECT_EQ(ShownText(0, 8, 1), u"[");
}

TEST_F(Charset, SoftFontIsLoadedDesignatedAndForgottenBySoftReset)
{
    // Two glyphs into the set " @"; the second is a full column.
    Feed("\x1bP1;1;1;10;1;2;16;0{ @~;~~~~~~~~~~/~~~~~~~~~~\x1b\\");
    EXPECT_EQ(SoftFont.glyphs[1][0], 0x8000);
    EXPECT_EQ(SoftFont.glyphs[2][11], 0xFFC0);
    Feed(E("( @") + "!\"");
    EXPECT_EQ(VtMode.designation[0], kSetSoftFont);
    EXPECT_EQ(CellAt(0, 0).flags & kGlyphSetMask, 1);
    EXPECT_EQ(CellAt(0, 1).ch, '"');
    // A designation whose name stops matching gives its bytes back as text.
    Feed(E(")  ") + "x");
    EXPECT_EQ(VtMode.designation[1], 1);
    // After a soft reset the name is forgotten; the glyphs stay.
    Feed(C("!p") + E("( @"));
    EXPECT_NE(VtMode.designation[0], kSetSoftFont);
    EXPECT_EQ(SoftFont.glyphs[1][0], 0x8000);
    // Outside VT500 the string is read and dropped.
    EmulationId = 1;
    // clang-format off
    Feed("\x1bP1;1;1;10;1;2;16;0{ @@@@\x1b\\" "k");
    // clang-format on
    EXPECT_EQ(SoftFont.glyphs[1][0], 0x8000);
    EXPECT_EQ(Row(0).back(), 'k');
}

TEST_F(Charset, UserPreferredSetAssignment)
{
    Feed(E("*<"));
    EXPECT_EQ(VtMode.set96[2], 0);
    Feed("\x1bP1!uA\x1b\\");
    EXPECT_EQ(PaintSettings.characterMode, 1);
    EXPECT_EQ(VtMode.set96[2], 1) << "G2 holds the user-preferred set and takes its size";
    Feed("\x1bP0!u%6\x1b\\");  // not a name the command takes
    EXPECT_EQ(PaintSettings.characterMode, 1);
    Feed("\x1bP0!u%5\x1b\\");
    EXPECT_EQ(PaintSettings.characterMode, 0);
}

// ---- renditions and colours ----

TEST_F(Rendition_, SgrTable)
{
    struct Case {
        std::string sgr;
        u8 colour, rendition;
    };
    const Case cases[] = {
        {"1;4;5;7", 0x07, kRendBold | kRendUnderline | kRendBlink | kRendReverse},
        {"8", 0x07, kRendInvisible},
        {"254", 0x07, kRendInvisible},
        {"1;4;22;24", 0x07, 0},
        {"31", 0x02, 0},
        {"44", 0x17, 0},
        {"31;44;39", 0x17, 0},
        {"31;44;49", 0x02, 0},
        {"7;32", 0x37, kRendReverse},  // the sides trade places under reverse
        {"90", 0x07, 0},
        {"61", 0x07, 0},
        {"2", 0x08, 0},
        {"1;2", 0x08, 0},
        {"2;0", 0x07, 0},
        {"", 0x07, 0},
        {"300", 0x07, 0},
    };
    for (const Case& c : cases) {
        Feed(C("0m") + C(c.sgr + "m"));
        EXPECT_EQ(CurrentColour, c.colour) << c.sgr;
        EXPECT_EQ(CurrentRendition, c.rendition) << c.sgr;
    }
    Feed("a");
    EXPECT_EQ(CellAt(0, 0).rendition & ~kRendWritten, 0);
}

TEST_F(Rendition_, BrightnessComesFromThePaletteSetting)
{
    AttributeColourTable.frgpalette = 8;
    Feed(C("31m"));
    EXPECT_EQ(CurrentColour & 0x0F, 10);
    AttributeColourTable.frgpalette = 7;
    Feed(C("31m"));
    EXPECT_EQ(CurrentColour & 0x0F, 2);
    // Dim twice changes the colours once; SGR 0 then brings foreground 7 back.
    Feed(C("2m") + C("31m") + C("2m"));
    EXPECT_EQ(CurrentColour & 0x0F, 2);
    Feed(C("0m"));
    EXPECT_EQ(CurrentColour, 0x07);
    // The 16-colour extension flips bit 3 of every colour it sets: SGR 52 and 61 (8 +
    // green, 8 + red) give 3 and 2, SGR 32 gives 11.
    Rendition.sixteenColours = 1;
    Feed(C("52;61m"));
    EXPECT_EQ(CurrentColour, 0x23);
    Feed(C("32m"));
    EXPECT_EQ(CurrentColour & 0x0F, 11);
}

TEST_F(Rendition_, ResetKeepsColoursOnlyWhenAsked)
{
    Feed(C("?10;1z") + C("31;44m") + C("0m"));
    EXPECT_EQ(CurrentColour, 0x12);
    Feed(C("?10;0z") + C("0m"));
    EXPECT_EQ(CurrentColour, 0x07);
    // The full reset clears them even while they are kept.
    Feed(C("?10;1z") + C("31m") + E("c"));
    EXPECT_EQ(CurrentColour, 0x07);
}

TEST_F(Rendition_, ColourAssignmentsChangeTheDefaults)
{
    Feed(C(">20;31;44m"));
    EXPECT_EQ(AttributeColourTable.frg[0] & 0x0F, 2);
    EXPECT_EQ(AttributeColourTable.frgscrn, 1) << "after a foreground the background is the screen's";
    Feed(C(">20;44m") + C("0m"));
    EXPECT_EQ(CurrentColour, 0x12);
    Feed(C(">24;36;41m"));
    EXPECT_EQ(AttributeColourTable.frg[2] & 0x0F, 5);
    EXPECT_EQ(AttributeColourTable.bck[2] & 0x0F, 2);
}

TEST_F(Rendition_, SelectiveEraseSparesProtectedCells)
{
    Feed(C("31m") + "ab" + C("1\"q") + "CD" + C("0\"q") + "ef" + C("0m"));
    Feed(C("1;4H") + C("?1K"));
    EXPECT_EQ(Row(0), "  CDef");
    EXPECT_EQ(CellAt(0, 0).colour, 0x02) << "selective erase keeps colours";
    Feed(C("?2K"));
    EXPECT_EQ(Row(0), "  CD");
    Feed(C("2;1H") + "xy" + C("?2J"));
    EXPECT_EQ(Row(1), "");
    EXPECT_EQ(Row(0), "  CD");
    // The ordinary erase takes protected cells too.
    Feed(C("1;1H") + C("2K"));
    EXPECT_EQ(Row(0), "");
}

// ---- cursor, erasing, tabs, line attributes ----

TEST_F(Screen_, CursorMoves)
{
    struct Case {
        std::string from, move, cursor;
    };
    const Case cases[] = {
        {C("5;5H"), C("2A"), "2,4"},   {C("5;5H"), C("0B"), "5,4"},
        {C("5;5H"), C("3C"), "4,7"},   {C("5;5H"), C("9D"), "4,0"},
        {C("5;5H"), C("2E"), "6,0"},   {C("5;5H"), C("F"), "3,0"},
        {C("5;5H"), C("20G"), "4,19"}, {C("5;5H"), C("`"), "4,0"},
        {C("5;5H"), C("a"), "4,5"},    {C("5;5H"), C("1a"), "4,5"},
        {C("5;5H"), C("7d"), "6,4"},   {C("5;5H"), C("2e"), "6,4"},
        {C("5;5H"), C(";7f"), "0,6"},  {C("5;5H"), C("99;99H"), "23,79"},
        {C("5;5H"), C("?5A"), "4,4"},  // a marker makes it another command
    };
    for (const Case& c : cases) {
        Feed(c.from + c.move);
        EXPECT_EQ(Cursor(), c.cursor) << c.move.substr(1);
    }
}

TEST_F(Screen_, TabStops)
{
    Feed("\t");
    EXPECT_EQ(Cursor(), "0,8");
    Feed(C("3g") + C("1;9H") + E("H") + C("1;1H") + C("2I"));
    EXPECT_EQ(Cursor(), "0,79") << "past the only stop the tab runs to the right limit";
    Feed(C("Z"));
    EXPECT_EQ(Cursor(), "0,8");
    Feed(C("g") + C("1;1H") + "\t");
    EXPECT_EQ(Cursor(), "0,79");
    Feed(C("1;30H") + E("H") + C("Z") + C("Z"));
    EXPECT_EQ(Cursor(), "0,0");
}

TEST_F(Screen_, Erasing)
{
    auto fill = [&] {
        Feed(C("H") + C("2J"));
        for (int r = 0; r < 3; ++r)
            Feed(C(std::to_string(r + 1) + ";1H") + "abcdefgh");
        Feed(C("2;4H"));
    };
    struct Case {
        std::string erase, row0, row1, row2;
    };
    const Case cases[] = {
        {C("K"), "abcdefgh", "abc", "abcdefgh"},
        {C("1K"), "abcdefgh", "    efgh", "abcdefgh"},
        {C("2K"), "abcdefgh", "", "abcdefgh"},
        {C("J"), "abcdefgh", "abc", ""},
        {C("1J"), "", "    efgh", "abcdefgh"},
        {C("2J"), "", "", ""},
        {C("3X"), "abcdefgh", "abc   gh", "abcdefgh"},
        {C("2P"), "abcdefgh", "abcfgh", "abcdefgh"},
        {C("2@"), "abcdefgh", "abc  defgh", "abcdefgh"},
        {C("L"), "abcdefgh", "", "abcdefgh"},
        {C("M"), "abcdefgh", "abcdefgh", ""},
    };
    for (const Case& c : cases) {
        fill();
        Feed(c.erase);
        EXPECT_EQ(Row(0), c.row0) << c.erase.substr(1);
        EXPECT_EQ(Row(1), c.row1) << c.erase.substr(1);
        EXPECT_EQ(Row(2), c.row2) << c.erase.substr(1);
    }
    // ED 0 at home erases everything; ED 3 homes first.
    fill();
    Feed(C("H") + C("J"));
    EXPECT_EQ(Row(2), "");
    fill();
    Feed(C("3J"));
    EXPECT_EQ(Cursor(), "0,0");
    EXPECT_EQ(Row(1), "");
}

TEST_F(Screen_, LineAttributes)
{
    Feed(C("1;70H") + "x" + E("#6"));
    EXPECT_TRUE(CellAt(0, 0).flags & kLineDoubleWidth);
    EXPECT_EQ(Cursor(), "0,39") << "the cursor moves onto the narrower line";
    Feed(E("#3"));
    EXPECT_TRUE(CellAt(0, 0).flags & kLineTopHalf);
    EXPECT_TRUE(CellAt(0, 0).flags & kLineDoubleWidth);
    Feed(E("#5"));
    EXPECT_EQ(CellAt(0, 0).flags & kLineSizeBits, 0);
    // Not while left/right margin mode is on.
    Feed(C("?69h") + E("#6"));
    EXPECT_EQ(CellAt(0, 0).flags & kLineSizeBits, 0);
}

TEST_F(Screen_, AlignmentPatternFillsTheScreen)
{
    Feed(C("5;10r") + C("3;3H") + E("#8"));
    for (int r = 0; r < 24; ++r)
        EXPECT_EQ(Row(r), std::string(80, 'E')) << r;
    EXPECT_EQ(Cursor(), "0,0");
    EXPECT_EQ(Screen.top, 0);
    EXPECT_EQ(Screen.bottom, 23);
}

TEST_F(Screen_, ScrollRegionAndIndexes)
{
    Feed(C("2;4r") + C("4;1H") + "a" + E("D") + "b" + E("E") + "c");
    EXPECT_EQ(Row(1), "a");
    EXPECT_EQ(Row(2), " b");
    EXPECT_EQ(Row(3), "c");
    Feed(C("2;1H") + E("M") + "d");
    EXPECT_EQ(Row(1), "d");
    EXPECT_EQ(Row(2), "a");
    // A region that is not at least two lines is refused.
    Feed(C("5;5r"));
    EXPECT_EQ(Screen.top, 1);
}

TEST_F(Screen_, MediaCopyNeedsAPrinter)
{
    Feed(C("5i"));
    EXPECT_TRUE(doubles::Comms().printCalls.empty());
    doubles::Comms().printerAvailable = true;
    Feed(C("5i") + C("4i") + C("?5i") + C("7i") + C("6i"));
    EXPECT_EQ(doubles::Comms().printCalls, (std::vector<std::string>{"controller on", "off", "auto on",
                                                                     "pass-through on", "pass-through off"}));
    // Media copy to the host: the cursor row as text without its trailing blanks.
    Feed(C("H") + C("2J") + "a b");
    EXPECT_EQ(Answer(C("?3i")), "a b\r");
}

}  // namespace
