// DG ANSI mode on the host path: the ESC, DCS and CSI sequences, their replies and
// modes, the printer controller's end, and operands far out of range.
#include "dg_fixture.h"

namespace {

using namespace std::string_literals;

class DgAnsiTest : public DgTest {
protected:
    void SetUp() override
    {
        DgTest::SetUp();
        Feed("\036F@");
        ASSERT_EQ(Dg.mode, kDgModeAnsi);
    }
};

TEST_F(DgAnsiTest, CursorReportsAndStatus)
{
    // tput -T d410 cup 4 9
    Feed("\x1b[5;10H\x1b[6n");
    EXPECT_EQ(Replies(), "\x1b[5;10R");
    Feed("\x1b[5n");
    EXPECT_EQ(Replies(), "\x1b[0n");
    // A received 0x9B is ESC [.
    Feed("\2332;3H\2336n");
    EXPECT_EQ(Replies(), "\x1b[2;3R");
    Feed("\x1b[H\x1b[6n");
    EXPECT_EQ(Replies(), "\x1b[1;1R");
    // The column is held to the right margin, and within margins 1-162 to 81.
    Feed("\x1b[5;90H");
    EXPECT_EQ(Dg.row, 4);
    EXPECT_EQ(Dg.column, 79);
    Feed("\x1b[1;1;162w\x1b[5;90H");
    EXPECT_EQ(Dg.column, 80);
    Feed("\x1b[30;1H");
    EXPECT_EQ(Dg.row, 23);
}

TEST_F(DgAnsiTest, ModesSwitchBackToNativeAndHonourTheirMarkers)
{
    Feed("\x1b[<3l");
    EXPECT_EQ(Dg.mode, kDgModeNative);
    Feed("\036F@");
    EXPECT_EQ(Dg.mode, kDgModeAnsi);
    // d410's initialisation: <0, <1, <2, <4 reset; 1, 6, <2 set.
    Feed("\x1b[<0;<1;<2;<4l\x1b[1;6;<2h");
    EXPECT_EQ(Dg.rollDisabled, 0);
    EXPECT_EQ(Dg.blinkDisabled, 0);
    EXPECT_EQ(Dg.hscrollDisabled, 1);
    EXPECT_EQ(Dg.printScopeA, 0);
    EXPECT_EQ(Dg.protectAnsi, 0);
    EXPECT_EQ(Dg.mode, kDgModeAnsi);
}

TEST_F(DgAnsiTest, RenditionsAndAPrivateMarkerThatChangesNothing)
{
    Feed("\x1b[?5mA\x1b[2;4;5;7mB\x1b[0mC");
    EXPECT_EQ(Cell(0, 0).rendition & 0x0F, 0);
    EXPECT_EQ(Cell(0, 1).rendition & 0x0F, kDgDim | kDgUnderline | kDgBlink | kDgReverse);
    EXPECT_EQ(Cell(0, 2).rendition & 0x0F, 0);
}

TEST_F(DgAnsiTest, EditingSequences)
{
    Feed("line0\r\nline1\r\nline2\x1b[1;3H\x1b[2@");
    EXPECT_EQ(Text(0), "li  ne0");
    Feed("\x1b[3P");
    EXPECT_EQ(Text(0), "lie0");
    Feed("\x1b[K");
    EXPECT_EQ(Text(0), "li");
    Feed("\x1b[2;1H\x1b[L");
    EXPECT_EQ(Text(1), "");
    EXPECT_EQ(Text(2), "line1");
    Feed("\x1b[2M");
    EXPECT_EQ(Text(1), "line2");
    Feed("\x1b[S");
    EXPECT_EQ(Text(0), "line2");
    Feed("\x1b[T");
    EXPECT_EQ(Text(1), "line2");
    Feed("\x1b[2J");
    EXPECT_EQ(Text(1), "");
    EXPECT_EQ(Dg.row, 0);
}

TEST_F(DgAnsiTest, TerminalSettingsAndId)
{
    Feed("\x1b[1;0v\x1b[x");
    EXPECT_EQ(Replies(), "\x1b[52;03;0;25x") << "reporting off";
    Dg.languageCode = 9;
    Feed("\x1b[1;1v\x1b[x");
    EXPECT_EQ(Replies(), "\x1b[52;03;0;19x");
    Feed("\x1b[3;1;5;1v");
    EXPECT_EQ(Dg.cursorType, 1);
    EXPECT_EQ(Dg.window.width, 134);
    Feed("\x1b[0;0v");
    EXPECT_EQ(Dg.cursorType, 2);
    EXPECT_EQ(Dg.window.width, 80);
    Feed("\x1b[3;9v");
    EXPECT_EQ(Dg.cursorType, 2) << "a value out of range is ignored";
}

TEST_F(DgAnsiTest, DesignatorsAndShifts)
{
    // d410's alternate characters: G1 the line-drawing glyph set, shifted in by SO.
    Feed("\x1b)6\x0e!+\017a");
    EXPECT_EQ(Cell(0, 0).flags & kGlyphSetMask, 1);
    EXPECT_EQ(Text(0), "┌─a");
    Feed("\x1b(A\r#");
    EXPECT_EQ(Text(0), "£─a");
}

TEST_F(DgAnsiTest, ThePrinterControllerEndsAtEsc4iAndDropsOtherMediaCopies)
{
    Feed("\x1b[5i");
    ASSERT_EQ(doubles::Comms().printCalls.back(), "controller on");
    doubles::Comms().printCalls.clear();
    doubles::Comms().printerController = true;
    Feed("A\x1b[5i\x1b[\2334i");
    const std::vector<std::string> expected = {"char 65", "char 27", "char 91", "off"};
    EXPECT_EQ(doubles::Comms().printCalls, expected);
    EXPECT_EQ(Replies(), "") << "no ACK in ANSI mode";
}

TEST_F(DgAnsiTest, OperandsFarOutOfRangeStayOnTheScreen)
{
    // Margins 1-100 (native), then the sequences whose operands once left the screen.
    Feed("\x1b[<3l\036FX0164\036F@");
    const std::string cases[] = {
        "\x1b[u",
        "\x1b[2;;1;5w",
        "\x1b['H",
        "\x1b[!!!!!!!!!!!!!!H",
        "\x1b[1;1;4000000000t",
        "\x1b[99999999999A",
        "\x1b[99999999999C",
        "\x1b[4000000000L",
        "\x1b[4000000000M",
        "\x1b[4000000000S",
        "\x1b[4000000000T",
        "\x1b[4000000000@",
        "\x1b[4000000000P",
        "\x1b[4000000000q",
        "\x1b[4000000000 @",
        "\x1b[4000000000 A",
        "\x1b[<3l\036F_00??\036F@",
    };
    for (const std::string& c : cases) {
        Feed(c);
        EXPECT_GE(Dg.row, 0) << c;
        EXPECT_LE(Dg.row, 23) << c;
        EXPECT_GE(Dg.column, 0) << c;
        EXPECT_LE(Dg.column, 161) << c;
        EXPECT_GE(Dg.window.viewLeft, 0) << c;
        EXPECT_LE(Dg.window.viewRight, 161) << c;
        EXPECT_LE(Dg.window.left, Dg.window.right) << c;
    }
    // A huge count is answered at once, not after billions of steps.
    Feed("\x1b[4000000000A\x1b[6n");
    EXPECT_EQ(Replies().substr(0, 2), "\x1b[");
}

TEST_F(DgAnsiTest, AnEscInsideASequenceStartsANewOne)
{
    Feed("\x1b[12\x1b[3;4H");
    EXPECT_EQ(Dg.row, 2);
    EXPECT_EQ(Dg.column, 3);
}

TEST_F(DgAnsiTest, WindowsByDcs)
{
    Feed("\033PD0:00>1");
    EXPECT_EQ(Dg.windows[0].bottom, 9);
    EXPECT_EQ(Dg.windows[1].compressed, 1);
    EXPECT_TRUE(Dg.rows[12]->lineFlags & kDgLineCompressed);
    EXPECT_FALSE(Dg.rows[3]->lineFlags & kDgLineCompressed);
}

}  // namespace
