// How the DEC tables read sequences, and the modes, conformance levels and resets they
// reach.
#include <gtest/gtest.h>

#include <random>

#include "support/doubles_network.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "vt_fixture.h"

namespace {

using Sequences = VtTest;

TEST_F(Sequences, MalformedAndCancelledSequencesLeaveNoTrace)
{
    // ':' discards the rest up to and including the final.
    Feed(C("1;2:3m") + "a");
    EXPECT_EQ(CurrentRendition, 0);
    // CAN ends a sequence and is itself executed; the mode stays.
    Feed(C("?25") + "\x18" + "h");
    EXPECT_EQ(CursorDisabled.load(), 0);
    EXPECT_EQ(Row(0), "ah");
    // ESC # 9: '9' is the dropped final of an unknown line attribute.
    Feed(E("#9") + "b");
    EXPECT_EQ(Row(0), "ahb");
    // Strings after DCS, OSC, PM and APC never reach the screen.
    // clang-format off
    Feed("\x1bP1$qm\x1b\\" "\x1b]0;title\x07\x1b\\" "\x1b^privacy\x1b\\" "\x1b_app\x1b\\" "c");
    // clang-format on
    EXPECT_EQ(Row(0), "ahbc");
    // A DCS with a final the tables lack ends there: its text is shown.
    Feed(E("Pq") + "#0" + E("\\"));
    EXPECT_EQ(Row(0), "ahbc#0");
}

TEST_F(Sequences, EightBitControlsActLikeTheirEscForms)
{
    EmulationId = 3;
    // clang-format off
    Feed("\x9b" "5;5H" "x" "\x84" "\x8d" "y");  // CSI, IND, RI
    // clang-format on
    EXPECT_EQ(Row(4), "    xy");
    // C1 controls without a meaning are dropped, not read as ESC sequences.
    // clang-format off
    Feed("\x80" "\x83" "z");
    // clang-format on
    EXPECT_EQ(Row(4), "    xyz");
}

TEST_F(Sequences, ConformanceLevelsSwitchTheEmulation)
{
    struct Case {
        u8 from;
        std::string sequence;
        u8 to;
    };
    const Case cases[] = {
        {3, C("61\"p"), 1},   {1, C("62;1\"p"), 2}, {1, C("62\"p"), 3},  {2, C("63;2\"p"), 3},
        {2, C("62;7\"p"), 2}, {2, C("60\"p"), 2},   {2, C("?62\"p"), 2}, {1, E(" G"), 1},
        {2, E(" G"), 3},      {3, E(" F"), 2},      {2, E(" F"), 2},
    };
    for (const Case& c : cases) {
        EmulationId = c.from;
        RequestedEmulationId = c.from;
        Feed(c.sequence);
        EXPECT_EQ(EmulationId.load(), c.to) << int(c.from) << " " << c.sequence.substr(1);
        // Both copies move together, so no switch is left pending for the frame.
        EXPECT_EQ(RequestedEmulationId.load(), c.to);
    }
    // DECSCL 64 and 65 also choose the terminal model.
    TerminalId = 4;
    Feed(C("65;1\"p"));
    EXPECT_EQ(TerminalId, 12);
    // A level change soft-resets: insert mode goes.
    Feed(C("4h") + C("64;1\"p"));
    EXPECT_EQ(VtMode.insertMode, 0);
    EXPECT_EQ(TerminalId, 8);
}

TEST_F(Sequences, SoftResetOnlyInVt500)
{
    const std::string setModes = C("4h") + C("?6h") + C("?7h") + C("?1h") + E("=") + C("1;7m") + E("(0");
    EmulationId = 1;
    Feed(setModes + C("!p"));
    EXPECT_EQ(VtMode.insertMode, 1);
    EmulationId = 2;
    Feed(C("10;20H") + C("!p"));
    EXPECT_EQ(VtMode.insertMode, 0);
    EXPECT_EQ(VtMode.cursorOrigin, 1);
    EXPECT_EQ(VtMode.autoWrap, 0);
    EXPECT_EQ(Vt300Values.curskeyapp, 0);
    EXPECT_EQ(Vt300Values.kpadmode, 0);
    EXPECT_EQ(CurrentRendition, 0);
    EXPECT_EQ(VtMode.designation[0], 1);
    // The cursor stays where it was; the saved cursor is home.
    EXPECT_EQ(Cursor(), "9,19");
    Feed(E("8"));
    EXPECT_EQ(Cursor(), "0,0");
    // A parameter makes it another command.
    Feed(C("4h") + C("1!p"));
    EXPECT_EQ(VtMode.insertMode, 1);
}

TEST_F(Sequences, FullResetStaysInTheDecFamily)
{
    Feed("abc" + C("4h") + C("3;10r") + C("1m"));
    EmulationId = 3;
    Feed(E("c"));
    EXPECT_EQ(EmulationId.load(), 3);
    EXPECT_EQ(Row(0), "");
    EXPECT_EQ(VtMode.insertMode, 0);
    EXPECT_EQ(Screen.top, 0);
    EXPECT_EQ(Screen.bottom, 23);
    EXPECT_EQ(CurrentRendition, 0);
    // clang-format off
    EXPECT_EQ(Answer(C("6n")), "\x9b" "1;1R");
    // clang-format on
}

TEST_F(Sequences, OriginModeHomesToTheRegion)
{
    Feed(C("5;15r") + C("?6h"));
    EXPECT_EQ(Cursor(), "4,0");
    Feed(C("99;99H"));
    EXPECT_EQ(Cursor(), "14,79");
    Feed(C("?6l"));
    EXPECT_EQ(Cursor(), "0,0");
}

TEST_F(Sequences, ColumnModeClearsAndHomes)
{
    Feed("text" + C("10;10H") + C("?3h"));
    EXPECT_EQ(Screen.lastColumn, 131);
    EXPECT_EQ(Row(0), "");
    EXPECT_EQ(Cursor(), "0,0");
    Feed(C("1;132Hx"));
    EXPECT_EQ(Cursor(), "0,131");
    Feed(C("?3l"));
    EXPECT_EQ(Screen.lastColumn, 79);
    EXPECT_EQ(Row(0), "");
}

TEST_F(Sequences, Vt52Commands)
{
    Feed(C("?2l"));
    ASSERT_EQ(EmulationId.load(), 0);
    // Direct cursor address (row and column + 32), then the graphics set and erasing.
    Feed(E("Y%*") + "A" + E("F") + "q" + E("G") + "q");
    EXPECT_EQ(Row(5).substr(10), "Aqq");
    EXPECT_EQ(LineAt(5)->cells[11].flags & kGlyphSetMask, 3);
    EXPECT_EQ(LineAt(5)->cells[12].flags & kGlyphSetMask, 0);
    Feed(E("D") + E("D") + E("K"));
    EXPECT_EQ(Row(5).substr(10), "A");
    Feed(E("H") + E("B") + E("C") + "z" + E("A") + E("I") + "w");
    EXPECT_EQ(Row(0), "  w") << "I at the top scrolls down";
    EXPECT_EQ(Row(2), " z");
    Feed(E("J"));
    EXPECT_EQ(Row(2), "");
    // An address byte cancelled by CAN ends the command silently.
    Feed(E("Y") + "\x18" + "!");
    EXPECT_EQ(Row(0), "  w!");
}

TEST_F(Sequences, CountsAndCoordinatesAreClampedBeforeTheyIndex)
{
    // Every count and coordinate at its largest, in every command that takes one.
    const std::string big = "65535";
    std::string stream;
    for (const char* final : {"A", "B", "C", "D", "E", "F", "G", "I", "Z", "`", "a", "d",
                              "e", "X", "@", "P", "L", "M", "S", "T", "J", "K", "g"})
        stream += C(big + final) + "x";
    stream += C(big + ";" + big + "H") + "y" + C(big + ";" + big + "r") + C("?69h") + C(big + ";" + big + "s");
    stream += C(big + ";" + big + ";" + big + ";" + big + ";" + big + ";" + big + ";" + big + "$u");
    stream += C("=" + big + ";" + big + "p") + C("?" + big + "h") + C(big + "h") + C(">" + big + ";35m");
    stream += C(big + "$p") + C("?" + big + "n") + C(big + "x") + C(big + "+p") + C("?3h") + C(big + "@");
    Feed(stream);
    EXPECT_GE(Screen.cursorRow, 0);
    EXPECT_LT(Screen.cursorRow, Screen.pageLength);
    EXPECT_GE(Screen.cursorColumn, 0);
    EXPECT_LE(Screen.cursorColumn, Screen.lastColumn);
    EXPECT_EQ(Answer(C("5n")), C("0n"));
}

TEST_F(Sequences, RandomBytesThenAStatusRequestStillAnswer)
{
    // A megabyte of noise must leave a terminal that answers; the sanitizers watch every
    // index on the way.
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string noise(1 << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(byte(random));
    Feed(noise);
    {
        std::lock_guard<std::mutex> guard(doubles::Network().lock);
        ASSERT_TRUE(doubles::Network().incoming.empty()) << "every byte was read";
    }
    // Whatever state the noise left (a string being read, a sequence half done), CAN
    // and ST bring the parser back to text.
    // clang-format off
    const std::string answer = Answer("\x18" "\x1b\\" + C("5n"));
    ASSERT_TRUE(IsVtFamily(EmulationId.load()));
    if (EmulationId == kEmuVt52)
        EXPECT_EQ(answer, "") << "VT52 has no CSI";
    else if (EmulationId == kEmuVt500Bit8)
        EXPECT_EQ(answer, "\x9b" "0n");
    else
        EXPECT_EQ(answer, C("0n"));
    // clang-format on
}

}  // namespace
