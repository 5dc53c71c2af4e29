// The Wyse byte path: text, control characters, addressing and reports by personality,
// the personalities' own tables, monitor mode and the printer controller.
#include <gtest/gtest.h>

#include "support/doubles_host.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/settings/store/profilevalues.h"
#include "wyse_fixture.h"

namespace {

using Bytepath = WyseTest;

TEST_F(Bytepath, Wy60AddressesAndReportsTheCursor)
{
    Start(kEmuWy60);
    Feed(E("=%0"));  // tput -T wy60 cup 5 16
    EXPECT_EQ(Cursor(), "5,16");
    EXPECT_EQ(Answer(E("?")), "%0\r");
    EXPECT_EQ(Answer(E("b")), "006R017C");
    EXPECT_EQ(Answer(E("/")), "0%0\r");
    // 132 columns, then the decimal address of wy60-w.
    Feed(E("`;") + E("a6R101C"));
    EXPECT_EQ(Answer(E("b")), "006R101C");
}

TEST_F(Bytepath, IdentificationByPersonality)
{
    const struct {
        u8 id;
        u32 colour;
        const char* answer;
    } cases[] = {
        {kEmuWy60, 0, "60\r"},      {kEmuWy50, 0, "50\r"}, {kEmuWy50, 1, "350\r"},
        {kEmuWy50Plus, 0, "50+\r"}, {kEmuAddsA2, 0, ""},   {kEmuTvi925, 0, ""},
    };
    for (const auto& c : cases) {
        Start(c.id);
        WySet.useColour = c.colour;
        EXPECT_EQ(Answer(E(" ")), c.answer) << int(c.id);
        LeaveWyse();
    }
}

TEST_F(Bytepath, ColumnBytesBelowTheBlankAddressColumnZero)
{
    Start(kEmuWy50);
    Feed(E("=") + "\x25\x01" + "X");  // tvi910's home is ESC = SOH SOH
    EXPECT_EQ(Cursor(), "5,1");
    EXPECT_EQ(Text(5), "X");
    // Out of range: no effect.
    Feed(E("=") + "\x7f\x20");
    EXPECT_EQ(Cursor(), "5,1");
}

TEST_F(Bytepath, TextWrapsAndScrollsOnTheLastLine)
{
    Start(kEmuWy50);
    std::string text;
    for (int i = 0; i < 25; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    Feed(text);
    EXPECT_EQ(Text(0), "line 2");
    EXPECT_EQ(Text(22), "line 24");
    EXPECT_EQ(Text(23), "");
    EXPECT_EQ(Cursor(), "23,0");
    // Auto wrap at the last column.
    Feed(std::string(81, 'x'));
    EXPECT_EQ(Text(22), std::string(80, 'x'));
    EXPECT_EQ(Text(23), "x");
}

TEST_F(Bytepath, EighthBitKeptByTheWy60Only)
{
    Start(kEmuWy50);
    Feed("\xc1");
    EXPECT_EQ(Text(0), "A");
    LeaveWyse();
    Start(kEmuWy60);
    Feed("\xc1");
    const ScreenCell& cell = WyStore.row[1]->cells[0];
    EXPECT_EQ(cell.ch, 0x41);
    EXPECT_EQ(cell.flags & 1, 1);
}

TEST_F(Bytepath, Hz1500TildeLeadInWithAndWithoutEnhance)
{
    Start(kEmuHz1500);
    WySet.enhance = 0;
    Feed(E("=") + "\x21\x22" + "~=!");
    EXPECT_EQ(Text(0), "=!\"!");  // ESC does nothing; "~=" is dropped, "!" shown
    Feed("~\x11"
         "j\x63"
         "Y");  // column 10, row 3
    EXPECT_EQ(Text(3), "          Y");
    Feed("~\x11"
         "\x60\x63"
         "X");  // 0x60 is column 0, not the last
    EXPECT_EQ(Text(3), "X         Y");
    Feed("~\x11"
         "\x9f\x66"
         "W");  // column 31 with the eighth bit set
    EXPECT_EQ(Text(6), std::string(31, ' ') + "W");
    WySet.enhance = 1;
    Feed("~=\x25\x20"
         "Z");
    EXPECT_EQ(Text(5), "Z");
    EXPECT_EQ(Answer("~\x05"), "a\x65\r");
}

TEST_F(Bytepath, AddsA2Table)
{
    Start(kEmuAddsA2);
    Feed("abc" + E("Y") +
         "\x22\x24"
         "Q");
    EXPECT_EQ(Text(2), "    Q");
    Feed("\x0c");  // FF clears to spaces
    EXPECT_EQ(Text(0), "");
    EXPECT_EQ(Cursor(), "0,0");
    Feed("\x0b\x24"
         "R");  // VT: row 4
    EXPECT_EQ(Text(4), "R");
}

TEST_F(Bytepath, MonitorModeShowsControlsUntilItsEnd)
{
    Start(kEmuWy50);
    Feed(E("U") + "a\x07" + E("Q") + E("X") + "b");
    EXPECT_EQ(Text(0).size(), 5u);  // a, BEL, ESC, Q ... then b after the mode ended
    EXPECT_EQ(WyMode.monitor, 0);
    EXPECT_EQ(Text(0).back(), 'b');
}

TEST_F(Bytepath, ControllerModePrintsWithoutShowing)
{
    Start(kEmuWy60);
    doubles::Comms().printMode = 2;  // ESC d # (mc5) as the printer reports it
    Feed("AB\r\n");
    doubles::Comms().printMode = 2;
    Feed("\x14");
    const auto& calls = doubles::Comms().printCalls;
    std::vector<std::string> printed;
    for (const std::string& c : calls)
        if (c.rfind("char ", 0) == 0)
            printed.push_back(c);
    EXPECT_EQ(printed, (std::vector<std::string>{"char 65", "char 66", "char 13", "char 10"}));
    EXPECT_EQ(calls.back(), "off");
    EXPECT_EQ(Text(0), "");
}

TEST_F(Bytepath, ClosingSequencesByPersonality)
{
    const struct {
        u8 id;
        std::string close;
    } cases[] = {{kEmuTvi925, E("a")}, {kEmuAddsA2, E("4")}, {kEmuWy50, E("d ")}};
    for (const auto& c : cases) {
        Start(c.id);
        doubles::Comms() = doubles::CommsDouble{};
        doubles::Comms().printMode = 2;
        Feed("x" + c.close);
        EXPECT_EQ(doubles::Comms().printCalls.back(), "off") << int(c.id);
        EXPECT_EQ(doubles::Comms().printCalls.front(), "char 120") << int(c.id);
        LeaveWyse();
    }
}

TEST_F(Bytepath, AnswerbackOfTwentyCharactersAtMost)
{
    Start(kEmuWy60);
    Feed(E("e!") + E("c;") + "abcdefghijklmnopqrst\x19");
    EXPECT_EQ(Answer("\x05"), "abcdefghijklmnopqrst\x06");
    Feed(E("c;") + std::string(30, 'z') + "\x19");
    EXPECT_EQ(Answer("\x05"), std::string(20, 'z') + "\x06");
    EXPECT_EQ(Vt300Values.ans_back[20], 0);
}

}  // namespace
