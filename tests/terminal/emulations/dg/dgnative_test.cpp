// Native DG mode on the host path: writing and the control codes, the RS commands with
// their operands and replies, windows and views, protection, character sets and the
// printer controller.
#include "dg_fixture.h"

#include "terminal/emulations/dg/dgcommands.h"
#include "terminal/emulations/dg/dgscreen.h"

namespace {

using namespace std::string_literals;

const std::string kRs = "\x1e";

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

TEST_F(DgTest, StartsNativeWithOneWindowAndTheCursorHome)
{
    EXPECT_EQ(Dg.mode, kDgModeNative);
    EXPECT_EQ(Dg.window.top, 0);
    EXPECT_EQ(Dg.window.bottom, 23);
    EXPECT_EQ(Dg.window.viewRight, 80);
    EXPECT_EQ(Dg.row, 0);
    EXPECT_EQ(Dg.column, 0);
    Feed("hello\r\nworld");
    EXPECT_EQ(Text(0), "hello");
    EXPECT_EQ(Text(1), "world");
    EXPECT_TRUE(Cell(0, 0).rendition & kDgWritten);
}

TEST_F(DgTest, CursorAddressingAndItsReplies)
{
    // tput -T d410-dg cup 10 5: DLE, column, row.
    Feed("\x10\x05\x0a");
    EXPECT_EQ(Dg.row, 10);
    EXPECT_EQ(Dg.column, 5);
    Feed("\x05");
    EXPECT_EQ(Replies(), Bytes({0x1F, 0x05, 0x0A}));
    Feed(kRs + "Fb");
    EXPECT_EQ(Replies(), Bytes({0x1E, 0x6F, 0x38, 0x40, 0x45, 0x40, 0x4A}));
    // 127 keeps a coordinate.
    Feed("\x10\x7f\x02");
    EXPECT_EQ(Dg.row, 2);
    EXPECT_EQ(Dg.column, 5);
    // RS F P with 255 keeps both.
    Feed(kRs + "FP??" + "??");
    EXPECT_EQ(Dg.row, 2);
    EXPECT_EQ(Dg.column, 5);
}

TEST_F(DgTest, AColumnPast127IsReportedAsOneRawByte)
{
    // Margins 0-161, then column 130 of row 0: the reply keeps the byte 0x82 as it is.
    Feed(kRs + "FX00:1" + kRs + "FP8200\x05");
    EXPECT_EQ(Dg.column, 130);
    EXPECT_EQ(Replies(), Bytes({0x1F, 0x82, 0x00}));
    EXPECT_EQ(Dg.window.viewLeft, 50) << "the view follows the cursor";
}

TEST_F(DgTest, TerminalIdLanguageByte)
{
    Feed(kRs + "Ff0" + kRs + "C");
    EXPECT_EQ(Replies(), Bytes({0x1E, 0x6F, 0x23, 0x2A, 0x38, 0x59}));
    const struct {
        u8 code;
        char byte;
    } cases[] = {{0, 'Y'}, {1, 'Z'},  {2, '@'},  {3, 'X'},  {4, '_'},  {5, ']'},  {6, '\\'}, {8, 'W'},
                 {9, 'S'}, {10, 'T'}, {11, ']'}, {12, '_'}, {13, '['}, {14, '^'}, {15, '@'}};
    Feed(kRs + "Ff1");
    for (const auto& c : cases) {
        Dg.languageCode = c.code;
        Feed(kRs + "C");
        EXPECT_EQ(Replies(), Bytes({0x1E, 'o', '#', '*', '8', c.byte})) << "code " << int(c.code);
    }
}

TEST_F(DgTest, WritingPastTheBottomRightRollsOrWraps)
{
    Feed("\x10\x4f\x17");  // column 79, row 23
    Feed("x");
    EXPECT_EQ(Text(22), std::string(79, ' ') + "x");
    EXPECT_EQ(Dg.row, 23);
    EXPECT_EQ(Dg.column, 0);

    Feed("\x13\x10\x4f\x17y");  // roll disabled
    EXPECT_EQ(Text(23), std::string(79, ' ') + "y");
    EXPECT_EQ(Dg.row, 0) << "the cursor goes to the top row";
    EXPECT_EQ(Text(22), std::string(79, ' ') + "x") << "nothing scrolled";
}

TEST_F(DgTest, ControlsMoveTheCursorWithinTheWindow)
{
    Feed("\x10\x05\x05");
    Feed("\x17");  // up
    EXPECT_EQ(Dg.row, 4);
    Feed("\x1a\x1a");  // down
    EXPECT_EQ(Dg.row, 6);
    Feed("\x19");  // left
    EXPECT_EQ(Dg.column, 4);
    Feed("\x18");  // right
    EXPECT_EQ(Dg.column, 5);
    Feed("\x10\x00\x00\x17"s);  // up from the top wraps to the bottom, no scroll
    EXPECT_EQ(Dg.row, 23);
    Feed("\x10\x05\x05\x08");  // BS in native mode: window home
    EXPECT_EQ(Dg.row, 0);
    EXPECT_EQ(Dg.column, 0);
}

TEST_F(DgTest, ProtectionStopsTheCursorWhereItStartedWhenEveryCellIsProtected)
{
    // Pen protect on, fill the window, then protection on.
    Feed(kRs + "FL");
    for (int r = 0; r < 24; ++r)
        for (int c = 0; c < 80; ++c)
            Dg.rows[r]->cells[c].rendition |= kDgProtected;
    Feed(kRs + "FV\x10\x0a\x05");
    const std::string before = Text(0);
    Feed("\x18");
    EXPECT_EQ(Dg.row, 5);
    EXPECT_EQ(Dg.column, 10);
    EXPECT_EQ(Text(0), before);
    // An unprotected cell further on is where the cursor goes.
    Dg.rows[7]->cells[3].rendition &= static_cast<u8>(~kDgProtected);
    Feed("\x18");
    EXPECT_EQ(Dg.row, 7);
    EXPECT_EQ(Dg.column, 3);
}

TEST_F(DgTest, ChangeAttributesActsOnCountPlusOneCells)
{
    Feed("abcdef\x10\x01\x00"s);
    // RS F N count 0, set blink (1): exactly the cell under the cursor.
    Feed(kRs + "FN000" + "1" + "0");
    EXPECT_EQ(Cell(0, 0).rendition & kDgBlink, 0);
    EXPECT_TRUE(Cell(0, 1).rendition & kDgBlink);
    EXPECT_EQ(Cell(0, 2).rendition & kDgBlink, 0);
    EXPECT_EQ(Dg.column, 1) << "the cursor stays";
    // count 2: set underline, reset blink; set and reset reverse toggles; dim is inverted.
    Dg.rows[0]->cells[2].rendition |= kDgDim;
    Feed(kRs + "FN002" + "6" + "5");
    for (int c = 1; c <= 3; ++c) {
        const u8 r = Cell(0, c).rendition;
        EXPECT_TRUE(r & kDgUnderline) << c;
        EXPECT_FALSE(r & kDgBlink) << c;
        EXPECT_TRUE(r & kDgReverse) << c;
    }
    Feed(kRs + "FN000" + "8" + "0");  // setting dim takes the dim away
    EXPECT_FALSE(Cell(0, 1).rendition & kDgDim);
    Feed(kRs + "FN000" + "0" + "8");  // resetting it sets it
    EXPECT_TRUE(Cell(0, 1).rendition & kDgDim);
}

TEST_F(DgTest, WindowDefinitionsCutTheScreen)
{
    // Two windows: 10 rows normal, 14 rows (to the end) normal.
    Feed(kRs + "FB" + "0:0" + "0>0");
    EXPECT_EQ(Dg.windows[0].bottom, 9);
    EXPECT_EQ(Dg.windows[1].top, 10);
    EXPECT_EQ(Dg.windows[1].bottom, 23);
    EXPECT_EQ(Dg.windows[2].index, -1);
    // DLE addresses within the cursor's window.
    Feed(kRs + "FP0000" + "\x10\x00\x03"s);
    EXPECT_EQ(Dg.row, 3);
    Feed(kRs + "FP000<" + "\x10\x00\x03"s);
    EXPECT_EQ(Dg.row, 13) << "row 3 of the window that starts at row 10";
    Feed("\x10\x00\x20"s);
    EXPECT_EQ(Dg.row, 23) << "held to the window's bottom row";

    // A first count of 0 makes one window of the whole screen.
    Feed(kRs + "FB" + "000");
    EXPECT_EQ(Dg.windows[0].top, 0);
    EXPECT_EQ(Dg.windows[0].bottom, 23);
    EXPECT_EQ(Dg.windows[1].index, -1);
}

TEST_F(DgTest, CompressedWidthAndPanning)
{
    Feed(kRs + "FK");
    EXPECT_EQ(Dg.window.width, 134);
    EXPECT_EQ(DgShownColumns(0), 135);
    EXPECT_TRUE(Dg.rows[5]->lineFlags & kDgLineCompressed);
    Feed(kRs + "FJ" + kRs + "FC" + "0<");  // pan 12 columns right
    EXPECT_EQ(Dg.window.viewLeft, 12);
    Feed(kRs + "FO");
    EXPECT_EQ(Replies(), Bytes({0x1E, 'o', ':', 0x40, 0x4C}));
    Feed(kRs + "FD" + "<<");  // far back: stops at column 0
    EXPECT_EQ(Dg.window.viewLeft, 0);
    Feed(kRs + "F]" + kRs + "FC" + "0<");  // horizontal scroll disabled: no pan
    EXPECT_EQ(Dg.window.viewLeft, 0);
}

TEST_F(DgTest, AlternateMarginsAreSavedOnceAndRestored)
{
    Feed(kRs + "FX" + "0:" + "2>");  // margins 10-46
    EXPECT_EQ(Dg.window.left, 10);
    EXPECT_EQ(Dg.window.right, 46);
    Feed(kRs + "FY" + "??" + "02" + "05");
    EXPECT_EQ(Dg.window.left, 12);
    EXPECT_EQ(Dg.window.right, 15);
    EXPECT_EQ(Dg.hscrollDisabled, 1);
    Feed(kRs + "FY" + "??" + "01" + "03");
    EXPECT_EQ(Dg.window.left, 11) << "still from the first saved margins";
    Feed(kRs + "FZ");
    EXPECT_EQ(Dg.window.left, 10);
    EXPECT_EQ(Dg.window.right, 46);
    EXPECT_EQ(Dg.hscrollDisabled, 0);
    // Margins out of range change nothing.
    Feed(kRs + "FX" + "3?" + "2>");
    EXPECT_EQ(Dg.window.left, 10);
}

TEST_F(DgTest, CursorTypeIgnoresValuesAboveThree)
{
    Feed(kRs + "FQ1");
    EXPECT_EQ(Dg.cursorType, 1);
    Feed(kRs + "FQ4");
    EXPECT_EQ(Dg.cursorType, 1);
}

TEST_F(DgTest, InsertDeleteAndErase)
{
    Feed("abcdef\x10\x02\x00"s);
    Feed(kRs + "J");
    EXPECT_EQ(Text(0), "ab cdef");
    Feed(kRs + "K" + kRs + "K");
    EXPECT_EQ(Text(0), "abdef");
    Feed("\x0b");
    EXPECT_EQ(Text(0), "ab");
    Feed("\r\nline1\r\nline2\x10\x00\x01"s);
    Feed(kRs + "FH");
    EXPECT_EQ(Text(1), "");
    EXPECT_EQ(Text(2), "line1");
    Feed(kRs + "FI" + kRs + "FI");
    EXPECT_EQ(Text(1), "line2");
    Feed(kRs + "FE");
    for (int r = 0; r < 24; ++r)
        EXPECT_EQ(Text(r), "") << r;
}

TEST_F(DgTest, WithProtectionOnInsertsAndDeletesStopBeforeAProtectedCell)
{
    // "ab" + underlined "c" + "de", then a protected "X".
    Feed("ab\024c\025de" + kRs + "FLX" + kRs + "FMyz" + kRs + "FV\x10\x01"s + "\x00"s);
    Feed(kRs + "J");
    EXPECT_EQ(Text(0), "a bcdXyz") << "the run ends before the protected X";
    EXPECT_TRUE(Cell(0, 2).rendition & kDgUnderline) << "attributes stay where they were";
    EXPECT_EQ(Cell(0, 3).ch, 'c');
    Feed(kRs + "K" + kRs + "K");
    EXPECT_EQ(Text(0), "acd  Xyz");
    // On the protected cell itself nothing moves.
    Dg.column = 5;
    Feed(kRs + "J");
    EXPECT_EQ(Text(0), "acd  Xyz");
}

TEST_F(DgTest, NationalSetsAndEightBitCharacters)
{
    // RS F S 0 2: national table 1 in GL; "#" becomes pound.
    Feed(kRs + "FS02#");
    EXPECT_EQ(Cell(0, 0).ch, 0xA8);
    EXPECT_EQ(Text(0), "£");
    // With the native 8-bit option off, 0xC1 is taken as 0x41.
    Feed(kRs + "FS01" + kRs + "FU0\r\xc1");
    EXPECT_EQ(Text(0), "A");
    // On, it is the DG international character (A grave).
    Feed(kRs + "FU1" + kRs + "O" + "\r\xc1");
    EXPECT_EQ(Text(0), "À");
}

TEST_F(DgTest, PrinterControllerPrintsUntilItsEndAndHeldBytesAreNotLost)
{
    Feed(kRs + "F`");
    ASSERT_EQ(doubles::Comms().printCalls.back(), "controller on");
    doubles::Comms().printCalls.clear();
    doubles::Comms().printerController = true;
    // RS F (which could have begun the end) followed by a new RS: the first two bytes
    // were text after all and print before the real end.
    Feed("A" + kRs + "F" + kRs + "Fa");
    const std::vector<std::string> expected = {"char 65", "char 30", "char 70", "off"};
    EXPECT_EQ(doubles::Comms().printCalls, expected);
    EXPECT_EQ(Replies(), Bytes({0x06})) << "the host hears ACK";
    doubles::Comms().printerController = false;
    Feed("B");
    EXPECT_EQ(Text(0), "B");
}

TEST_F(DgTest, FullResetKeepsTheModeAndRingsTheBell)
{
    Feed(kRs + "FK" + kRs + "FQ0text" + kRs + "FA");
    EXPECT_EQ(Dg.mode, kDgModeNative);
    EXPECT_EQ(Dg.window.width, 80);
    EXPECT_EQ(Dg.cursorType, 2);
    EXPECT_EQ(Text(0), "");
}

}  // namespace
