// ANSI mode: the control sequences of the ANSI terminal description.
#include "ta6530_fixture.h"

#include "terminal/emulations/ta6530/tastate.h"

namespace {

class AnsiMode : public Ta6530Test {
protected:
    void SetUp() override
    {
        Ta6530Test::SetUp();
        Feed("\x01"
             "A\x03"
             "x");
        ASSERT_EQ(Ta.mode, kTaAnsi);
        Feed("\x1B[H\x1B[2J");
    }
};

TEST_F(AnsiMode, SequencesChangeTheExpectedCells)
{
    struct Case {
        const char* name;
        std::string bytes;
        int row;
        std::string text;
    } cases[] = {
        {"cup", "\x1B[3;5HX", 2, "    X"},
        {"el", "\x1B[1;1Habcdef\x1B[1;3H\x1B[K", 0, "ab"},
        {"el1", "\x1B[1;1Habcdef\x1B[1;3H\x1B[1K", 0, "   def"},
        {"ich", "\x1B[1;1Habc\x1B[1;1H\x1B[2@", 0, "  abc"},
        {"dch", "\x1B[1;1Habcde\x1B[1;2H\x1B[2P", 0, "ade"},
        {"ech", "\x1B[1;1Habcde\x1B[1;2H\x1B[3X", 0, "a   e"},
        {"rep", "\x1B[1;1Hx\x1B[3b", 0, "xxxx"},
        {"hpa", "\x1B[1;1H\x1B[7GZ", 0, "      Z"},
        {"il", "\x1B[1;1Htop\x1B[1;1H\x1B[L", 1, "top"},
        {"dl", "\x1B[1;1Htop\x1B[2;1Hnext\x1B[1;1H\x1B[M", 0, "next"},
        {"ed", "\x1B[1;1Habc\x1B[2;1Hdef\x1B[1;2H\x1B[J", 1, ""},
        {"indn", "\x1B[2;1Hrow\x1B[1S", 0, "row"},
        {"rin", "\x1B[1;1Hrow\x1B[2T", 2, "row"},
        {"cbt", "\x1B[1;20H\x1B[ZB", 0, "                B"},
        {"csi on row 0 up wraps", "\x1B[1;1H\x1B[1AW", 23, "W"},
        {"0x9B",
         "\x9B"
         "5;1HC1",
         4, "C1"},
    };
    for (const Case& c : cases) {
        Feed("\x1B[H\x1B[2J" + c.bytes);
        EXPECT_EQ(Row(c.row), c.text) << c.name;
    }
}

TEST_F(AnsiMode, RenditionsAndTabStops)
{
    Feed("\x1B[7mR\x1B[0m\x1B[4mU\x1B[24mN");
    EXPECT_EQ(Ta.screen[0]->cells[0].rendition & kTaReverse, kTaReverse);
    EXPECT_EQ(Ta.screen[0]->cells[1].rendition & kTaUnderline, kTaUnderline);
    EXPECT_EQ(Ta.screen[0]->cells[2].rendition & 0x1F, 0);
    Feed("\x1B[3g\x1B[1;1H\tT");  // no stops left: the tab goes on to the next line
    EXPECT_EQ(Row(1), "T");
}

TEST_F(AnsiMode, ReportsAnswerInAnsiForm)
{
    Feed("\x1B[4;7H\x1B[6n");
    EXPECT_EQ(Sent(), Hex("\x1B[4;7R"));
    Feed("\x1B[c");
    EXPECT_EQ(Sent(), Hex("\x1B[11;3;20c"));
    Feed("\x1BP?R08\x1B\\");  // above 7: the packet block stays
    EXPECT_EQ(TaSettings.packetBlock, 0u);
    Feed("\x1BP?R03\x1B\\");
    EXPECT_EQ(TaSettings.packetBlock, 3u);
}

}  // namespace
