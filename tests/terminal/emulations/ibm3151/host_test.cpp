// The IBM 3151's host path: replies, addresses, set-control bytes, the CSI subset,
// partitions, PF-key definitions, printer pass-through, and sequences a stop cuts off.
#include "ibm3151_fixture.h"

#include <algorithm>
#include <vector>

#include "support/doubles_network.h"
#include "support/test_doubles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostread.h"
#include "terminal/emulations/ibm3151/keys/keys.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/keys/pfkeys.h"

namespace {

const std::string kEsc = "\x1b";

TEST_F(I3151Test, RepliesCarryTheTurnaroundInEveryMode)
{
    struct Case {
        std::string request, reply;
    };
    const Case cases[] = {
        {kEsc + "6", kEsc + "6 @\r"},        {kEsc + " 6", kEsc + " 6T\r"},
        {kEsc + "\"6", kEsc + "\"6%(! B\r"}, {kEsc + "!6", kEsc + "!6" + kEsc + "6\r"},
        {kEsc + " 7", kEsc + " 7@\r"},       {kEsc + "!7", kEsc + "!78Z\r"},
    };
    for (const Case& c : cases) {
        Feed(c.request);
        EXPECT_EQ(TakeSent(), c.reply) << c.request.substr(1);
    }
    // Block mode answers the host as well; a terminal ID goes into ESC ! 6.
    Feed(kEsc + " 9B");
    ASSERT_TRUE(I3151IsBlockMode());
    I3151.terminalId[0] = u'A', I3151.terminalId[1] = u'B', I3151.terminalId[2] = u'C';
    Feed(kEsc + "6" + kEsc + "!6");
    EXPECT_EQ(TakeSent(), kEsc + "6 @\r" + kEsc + "!6ABC" + kEsc + "6\r");
    // Control 5 with DC3 as its turnaround code.
    Feed(kEsc + "$9" + Bytes({0x2E, 0x33, 0x31, 0x43}) + kEsc + "6");
    EXPECT_EQ(TakeSent(), kEsc + "6 @\x13");
}

TEST_F(I3151Test, CursorAddressesReadBackShortAndLong)
{
    Feed(kEsc + "Y$)" + kEsc + "5");  // tput cup 4 9
    EXPECT_EQ(TakeSent(), kEsc + "Y$)\r");
    Feed(kEsc + " r!! 9$D");  // one partition of 25 rows, 132 columns
    ASSERT_EQ(I3151.lastColumn, 131);
    Feed(kEsc + "[5;101H" + kEsc + "5");
    EXPECT_EQ(TakeSent(), kEsc + "y $#D\r");
    Feed(kEsc + "y $#D" + kEsc + "5");
    EXPECT_EQ(TakeSent(), kEsc + "y $#D\r") << "the long form reads back what it wrote";
}

TEST_F(I3151Test, CursorPositionTakesOnlyUnmarkedParameters)
{
    Feed(kEsc + "[5" + std::string(1, '\0') + ";10H");
    EXPECT_EQ(Page()->cursorRow, 4);
    EXPECT_EQ(Page()->cursorColumn, 9) << "a NUL inside the sequence is a control, not its end";
    Feed(kEsc + "[?7;3H");
    EXPECT_EQ(Page()->cursorRow, 4) << "a private marker: nothing moves";
    Feed(kEsc + "[99;999H");
    EXPECT_EQ(Page()->cursorRow, 23);
    EXPECT_EQ(Page()->cursorColumn, 79);
    Feed(kEsc + "[1;" + kEsc + "6");
    EXPECT_EQ(TakeSent(), kEsc + "6 @\r") << "an ESC inside starts the next sequence";
}

TEST_F(I3151Test, SetControlListsMergeFixedBitsAndRefuseLongLists)
{
    const u8 byte1 = I3151.setup[1], byte2 = I3151.setup[2];
    Feed(kEsc + "!9" + Bytes({0x24, 0x61}));  // OR 0x24 (with the fixed 0x20) into byte 1
    EXPECT_EQ(I3151.setup[1], byte1 | 0x24);
    EXPECT_EQ(I3151.setup[2], byte2);
    u8 before[17];
    std::copy(I3151.setup, I3151.setup + 17, before);
    Feed(kEsc + "#9" + Bytes({0x20, 0x21, 0x41}));  // control 4 takes at most two
    EXPECT_TRUE(std::equal(before, before + 17, I3151.setup));
    Feed(kEsc + "&9" + Bytes({0x21, 0x22, 0x23, 0x24, 0x60}) + kEsc + "6");
    EXPECT_TRUE(std::equal(before, before + 17, I3151.setup)) << "a list past the control's width";
    EXPECT_EQ(TakeSent().substr(0, 2), kEsc + "6") << "and the bytes after it are read as usual";
}

TEST_F(I3151Test, OperatingModeChangeClearsThePage)
{
    Feed("keep");
    Feed(kEsc + " 9" + Bytes({0x20, 0x61}));  // OR a bit outside the mode bits
    EXPECT_EQ(PageRow(0), "keep");
    Feed(kEsc + " 9A");  // Character mode
    EXPECT_EQ(I3151OperatingMode(), kI51Character);
    EXPECT_EQ(PageRow(0), "");
}

TEST_F(I3151Test, PartitionsSplitTheScreenAndMalformedOnesChangeNothing)
{
    Feed(kEsc + " r\"! ,\"0\" ,\"P");  // two partitions of 12 rows, 80 columns
    ASSERT_EQ(I3151.pageCount, 2);
    EXPECT_EQ(Page(0)->firstRow, 0);
    EXPECT_EQ(Page(0)->lastRow, 11);
    EXPECT_EQ(Page(1)->firstRow, 12);
    EXPECT_EQ(Page(1)->lastRow, 23);
    const std::string malformed[] = {
        kEsc + " r!! 7\"P",         // 23 rows
        kEsc + " r\"! ,\"0\" -$D",  // mixed widths
        kEsc + " r$",               // four partitions
        kEsc + " r!# 8\"P",         // the wrong letter
    };
    for (const std::string& m : malformed) {
        Feed(m + "x");
        EXPECT_EQ(I3151.pageCount, 2) << m.substr(1);
    }
    Feed(kEsc + " qB" + kEsc + "Hhost");
    EXPECT_EQ(PageRow(0, 1), "host") << "ESC SP q B: host output to the second page";
    Feed(kEsc + " qC");
    EXPECT_EQ(I3151.hostPage, 1) << "two pages: C is refused";
}

TEST_F(I3151Test, HostDefinesAndClearsPfKeys)
{
    Feed(kEsc + "!=A0abc" + kEsc + "=");
    I3151KeyPf(0);
    Feed("");
    EXPECT_EQ(TakeSent(), "abc\r") << "an even kind byte: the string and the turnaround";
    Feed(kEsc + "!=B1x" + kEsc + "Ay" + kEsc + "=");
    I3151KeyPf(1);
    Feed("");
    EXPECT_EQ(TakeSent(), "x" + kEsc + "Ay") << "odd: the string alone, ESC pairs kept";
    Feed(kEsc + "!=" + Bytes({0x20, 0x25}) + "0long" + kEsc + "=");  // key 36 by two bytes
    EXPECT_TRUE(I3151PfKeyDefined(35));
    Feed(kEsc + "tA");
    I3151KeyPf(0);
    Feed("");
    EXPECT_EQ(TakeSent(), kEsc + "a\r");
    Feed(kEsc + "!=" + Bytes({0x20, 0x20}) + "Z");  // no key: the rest is text
    EXPECT_EQ(PageRow(0), "Z");
    Feed(kEsc + " t");
    EXPECT_FALSE(I3151AnyPfKeyDefined());
}

TEST_F(I3151Test, PrinterPassThroughNestsAndShowsNothing)
{
    doubles::Comms().printerAvailable = true;
    Feed(Bytes({0x10, 0x12}) + "a" + Bytes({0x10, 0x12}) + "b" + Bytes({0x10, 0x14}) + "c" + Bytes({0x10, 0x14}) +
         "z");
    const std::vector<std::string> expected{"controller on", "char 97", "char 16", "char 18", "char 98",
                                            "char 16",       "char 20", "char 99", "off"};
    EXPECT_EQ(doubles::Comms().printCalls, expected);
    EXPECT_EQ(PageRow(0), "z");
}

TEST_F(I3151Test, TransparentDisplayShowsControlsUntilDleEtx)
{
    Feed(Bytes({0x10, 0x02, 'a', 0x0D, 0x1B, 0x10, 0x03, 0x0D, 'b'}));
    const I3151Row* row = I3151PageRow(Page(), 0);
    EXPECT_EQ(row->cells[1].ch, 0x0D);
    EXPECT_EQ(row->cells[1].flags & kI51GlyphMask, kI51GlyphControl);
    EXPECT_EQ(row->cells[2].ch, 0x1B);
    EXPECT_EQ(row->cells[0].ch, 'b') << "after DLE ETX the CR returns the carriage";
}

// A stop while a sequence is open ends the sequence instead of spinning on it.
TEST_F(I3151Test, AStopEndsEveryOpenSequence)
{
    const std::string openings[] = {kEsc + "=text", kEsc + "!=A0abc", kEsc + "[1;",
                                    kEsc + "Y",     kEsc + " r\"",    kEsc + "!9" + Bytes({0x21})};
    for (const std::string& opening : openings) {
        doubles::Ui().onWait = [] { QuitRequested = 1; };
        int turns = 0;
        {
            std::lock_guard<std::mutex> guard(doubles::Network().lock);
            for (char c : opening)
                doubles::Network().incoming.push_back(static_cast<u8>(c));
        }
        while (ProcessHostChar() && ++turns < 50) {
        }
        EXPECT_LT(turns, 50) << opening.substr(1);
        QuitRequested = 0;
        doubles::Ui().onWait = nullptr;
    }
    EXPECT_FALSE(I3151PfKeyDefined(0)) << "a definition cut off changes no key";
}

// A megabyte of random bytes and of the repertoire's sequences cut and mutated: the
// terminal still answers afterwards (the sanitizers watch every step).
TEST_F(I3151Test, AMegabyteOfNoiseLeavesItAnswering)
{
    const std::string pieces[] = {
        kEsc + "[5;10H",     kEsc + "Y!!",        kEsc + "y !!@", kEsc + "3 A",
        kEsc + "4$a",        kEsc + "!=A0x",      kEsc + "=",     kEsc + " r\"! ,\"0\" ,\"P",
        kEsc + " r!! 9$D",   kEsc + "8",          kEsc + "!8",    kEsc + " 8",
        kEsc + "#8",         kEsc + "$9.31C",     kEsc + " 9B",   kEsc + " 9@",
        Bytes({0x10, 0x02}), Bytes({0x10, 0x03}), kEsc + "N",     kEsc + "O",
        kEsc + "P ",         kEsc + "Q",          kEsc + "':",    kEsc + "%:",
        kEsc + "&:",         kEsc + "\":",        kEsc + "E",     kEsc + " qB",
        kEsc + ">A",
    };
    u32 state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    };
    std::string noise;
    while (noise.size() < (1u << 20)) {
        const u32 r = next();
        if (r % 3 == 0) {
            std::string piece = pieces[next() % std::size(pieces)];
            if (r % 7 == 0)
                piece.resize(next() % (piece.size() + 1));  // cut short
            if (r % 11 == 0 && !piece.empty())
                piece[next() % piece.size()] = static_cast<char>(next());  // one byte changed
            noise += piece;
        } else {
            for (int i = 0; i < 8; ++i)
                noise.push_back(static_cast<char>(next() % 4 == 0 ? next() % 32 : 32 + next() % 96));
        }
    }
    for (std::size_t at = 0; at < noise.size(); at += 4096)
        Feed(noise.substr(at, 4096));
    // Printer pass-through and transparent display are closed; then the question.
    std::string close;
    for (u32 i = 0; i < I3151.passThrough; ++i)
        close += Bytes({0x10, 0x14});
    TakeSent();
    Feed(close + Bytes({0x10, 0x03}) + kEsc + "6");
    const std::string sent = TakeSent();
    const std::string answer = kEsc + "6 @" + static_cast<char>(I3151Turnaround());
    ASSERT_GE(sent.size(), answer.size());
    EXPECT_EQ(sent.substr(sent.size() - answer.size()), answer);
}

}  // namespace
