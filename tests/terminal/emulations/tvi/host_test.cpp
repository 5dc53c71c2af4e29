// The TVI host path: cursor reports and identities, counts and parameters past any
// sensible size, status-row loading, text sends and printing from the byte path.
#include <gtest/gtest.h>

#include "support/doubles_network.h"
#include "terminal/emulations/tvi/output/output.h"
#include "terminal/emulations/tvi/store/lines.h"
#include "tvi_fixture.h"

namespace {

TEST_F(TviTest, CursorReportsInEveryForm)
{
    // tput cup 5 16 (both descriptions address the cursor the same way).
    Feed(kEsc + "=%0");
    Feed(kEsc + "?" + kEsc + "/" + kEsc + "[6n" + kEsc + "[?6n");
    EXPECT_EQ(TakeSent(), "%0\r0%0\r\x1b[5;16R\x1b[0;5;16R");
    Feed("\x1e" + kEsc + "[6n");
    EXPECT_EQ(TakeSent(), "\x1b[0;0R");
    // Columns from 80 come as "~" and the column less 48.
    Feed(kEsc + "[=3h" + kEsc + "=!~4" + kEsc + "?");
    EXPECT_EQ(TakeSent(), "!~4\r");
    EXPECT_EQ(Tvi.cursorColumn, 100);
    Feed(kEsc + "-1!~ " + kEsc + "/");
    EXPECT_EQ(TakeSent(), "1!~ \r") << "page 1, row 1, column 80";
}

TEST_F(TviTest, EachTerminalIdentifiesItself)
{
    Feed(kEsc + "M");
    EXPECT_EQ(TakeSent(), "955 1.0,3\r");
    TearDown();
    Start(kEmu950);
    Feed(kEsc + "M");
    EXPECT_EQ(TakeSent(), "1.0,8\r");
    // CSI 10;0 v makes it a 955 again.
    Feed(kEsc + "[10;0v" + kEsc + "M");
    EXPECT_EQ(TakeSent(), "955 1.0,3\r");
}

TEST_F(TviTest, HugeCountsAndParametersCostNoMoreThanAFullOne)
{
    Feed(kEsc + "=(0AB");
    Feed(kEsc + "[99999999999A" + kEsc + "[2000000000@" + kEsc + "[4294967296B" + kEsc + "[6n");
    EXPECT_EQ(TakeSent(), "\x1b[23;18R");
    EXPECT_EQ(Line(0), "") << "inserts ran along row 0 only";
    Feed(kEsc + "[99999999999;99999999999H" + kEsc + "[6n");
    EXPECT_EQ(TakeSent(), "\x1b[23;79R");
    Feed(kEsc + "[2000000000M" + kEsc + "[2000000000P" + kEsc + "[2000000000D" + kEsc + "[6n");
    EXPECT_EQ(TakeSent(), "\x1b[0;0R");
}

TEST_F(TviTest, StatusRowLoadingStaysOnItsLine)
{
    // tsl, text, fsl: the bottom row shows the user line, the text from column 1.
    Feed(kEsc + "g" + kEsc + "fhello\r");
    EXPECT_EQ(Tvi.set.bottomRow, kTviUserLine);
    EXPECT_EQ(Line(kTviUserLine), " hello");
    // Positions outside the line are ignored: a short form below the blank and a long
    // form past the last column.
    Feed(kEsc + "_10" + "\t\x10X" + "\t\x7f\x7fX" + "\t$Y\r");
    EXPECT_EQ(Line(kTviUserLine), " XX Y");
    EXPECT_EQ(Line(kTviUserLine2), "");
    // On the status line the host's text starts at column 70.
    Feed(kEsc + "_00host\r");
    EXPECT_EQ(Line(kTviStatusLine).substr(70), " host");
}

TEST_F(TviTest, ProtectModeSendsOnlyUnprotectedText)
{
    Feed("AB" + kEsc + ")XY" + kEsc + "(CD" + kEsc + "&" + kEsc + "4");
    EXPECT_EQ(TakeSent(), "AB\x1c"
                          "CD\r");
    Feed(kEsc + "6");
    EXPECT_EQ(TakeSent(), "AB\x1b)XY\x1b(CD\r") << "all text brackets the protected run";
}

TEST_F(TviTest, SendsGoOutInPiecesAndEncodeGraphics)
{
    Feed(kEsc + "[=3h");
    for (int r = 0; r < 4; ++r)
        Feed(std::string(132, 'a' + r));
    Feed(kEsc + "=#!" + kEsc + "7");
    const std::vector<int> calls = SendCalls();
    ASSERT_GT(calls.size(), 1u);
    for (int n : calls)
        EXPECT_LE(n, 396);
    const std::string rows = std::string(132, 'a') + "\x1f" + std::string(132, 'b') + "\x1f" +
                             std::string(132, 'c');
    EXPECT_EQ(TakeSent(), rows + "\x1f" + "d\x1f\r");
    // Graphics characters are written protected: the send brackets them.
    const std::string graphics = kEsc + "$A" + kEsc + "%\x15" + "A";
    Feed(kEsc + "*" + graphics + kEsc + "6");
    EXPECT_EQ(TakeSent(), "\x1b)\x1b$A\x1b%\x1b(\x15" + std::string("A\r"));
}

TEST_F(TviTest, PrintKindsChooseWhatIsShownAndPrinted)
{
    Feed(kEsc + "`AB\r\n" + kEsc + "a");
    EXPECT_EQ(Line(0), "") << "transparent print shows nothing";
    EXPECT_EQ(Tvi.printKind, kTviPrintNone);
    Feed("\x12"
         "CD\x14");
    EXPECT_EQ(Line(0), "CD");
    EXPECT_EQ(Tvi.printKind, kTviPrintNone);
}

}  // namespace

namespace {

TEST_F(TviTest, MonitorModeShowsWhatItGetsUntilEscX)
{
    Feed(kEsc + "U" + "a\r" + kEsc + "Gb" + kEsc + "Xc");
    EXPECT_EQ(Line(0), "a\r\x1bGbc");
    EXPECT_EQ(Cell(0, 1).flags & kTviGlyphMask, kTviGlyphControl);
    EXPECT_EQ(Tvi.set.monitor, 0);
    EXPECT_EQ(Tvi.cursorColumn, 6) << "ESC X itself is not shown";
}

TEST_F(TviTest, ThePrintPageCommandEndsWithThePrintCompleteAnswer)
{
    Feed(kEsc + "P");
    EXPECT_TRUE(Tvi.pagePrinting);
    EXPECT_EQ(Line(kTviStatusLine).substr(26, 4), "FAPG");
    EXPECT_EQ(TakeSent(), "") << "nothing is answered before the page is printed";
    TviPrintPageRows();  // the main window's print command
    Feed("");
    EXPECT_EQ(TakeSent(), "\x06");
    EXPECT_EQ(Line(kTviStatusLine).substr(26, 4), "    ");
    // ESC p sets the answer's first unit; the menu's own print screen answers nothing.
    Feed(kEsc + "pZ" + kEsc + "L");
    EXPECT_EQ(Line(kTviStatusLine).substr(26, 4), "UPPG");
    TviPrintPageRows();
    Feed("");
    EXPECT_EQ(TakeSent(), "Z");
    TviPrintPageRows();
    Feed("");
    EXPECT_EQ(TakeSent(), "");
}

TEST_F(TviTest, OptionBitsBlankTheStatusRowsAtTheNextClear)
{
    EXPECT_EQ(Tvi.set.topRow, kTviStatusLine);
    Feed(kEsc + "~|02");
    EXPECT_EQ(Tvi.set.topRow, kTviStatusLine);
    Feed(kEsc + "\\1");
    EXPECT_EQ(Tvi.set.topRow, kTviBlankLine);
    EXPECT_EQ(Tvi.set.bottomRow, kTviBlankLine);
    Feed(kEsc + "~&02" + kEsc + "[4;1v" + kEsc + "[5;2v");
    EXPECT_EQ(Tvi.set.topRow, kTviStatusLine);
    EXPECT_EQ(Tvi.set.bottomRow, kTviUserLine);
    Feed(kEsc + "[4;7v" + kEsc + "[7;5v");
    EXPECT_EQ(Tvi.set.topRow, kTviStatusLine) << "operands outside the table do nothing";
}

TEST_F(TviTest, ClearsDifferBetweenTheTwoTerminals)
{
    for (u8 id : {kEmu955, kEmu950}) {
        TearDown();
        Start(id);
        Feed(kEsc + ")P" + kEsc + "(u" + kEsc + "&" + kEsc + "+");
        EXPECT_EQ(Line(0), id == kEmu950 ? "P" : "") << int(id);
        EXPECT_EQ(Tvi.set.protect, id == kEmu950 ? 1 : 0) << int(id);
    }
}

}  // namespace
