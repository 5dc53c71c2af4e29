// The block protocol: framing, checks, sequences, polls and replies.
#include "ta6530_fixture.h"

#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/settings/tasettings.h"
#include "terminal/emulations/ta6530/tastate.h"

namespace {

class FullFraming : public Ta6530Test {
protected:
    void SetUp() override
    {
        Ta6530Test::SetUp();
        UseSerialLine();
        Feed(Frame(1, "B"));
        Sent();
        Feed(Frame(2,
                   "\x1B"
                   "b",
                   0x20));  // the keyboard unlocked
        EXPECT_EQ(Sent(), "06");
    }
};

TEST_F(FullFraming, BlocksAreCheckedSequencedAndShownOnce)
{
    Feed(Frame(2, "HI", 0x21));
    EXPECT_EQ(Sent(), "06");
    EXPECT_EQ(Row(0), "HI");
    Feed(Frame(2, "XY", 0x21));  // the same sequence again: acknowledged, not shown
    EXPECT_EQ(Sent(), "06");
    EXPECT_EQ(Row(0), "HI");
    std::string bad = Frame(2, "ZZ", 0x22);
    bad.back() ^= 1;
    Feed(bad);
    EXPECT_EQ(Sent(), "15");
    Feed(Frame(2, "ZZ", 0x24));  // out of order
    EXPECT_EQ(Sent(), "15");
    EXPECT_EQ(Row(0), "HI");
}

TEST_F(FullFraming, SequencesRunPast0x7FBackTo0x20)
{
    Feed("\x04");  // after EOT the host starts again at 0x20
    for (int s = 0x20; s <= 0x7F; ++s) {
        Feed(Frame(2, std::string("\x11\x20") + static_cast<char>(0x20 + (s - 0x20) % 80) + "#", s));
        ASSERT_EQ(Sent(), "06") << "sequence " << s;
    }
    Feed(Frame(2,
               "\x11\x21\x20"
               "again",
               0x20));
    EXPECT_EQ(Sent(), "06");
    EXPECT_EQ(Row(1), "again");
}

TEST_F(FullFraming, AReadIsAnsweredByItsDataNotByAnAcknowledgement)
{
    Feed(Frame(2, "HI", 0x21));
    Sent();
    Feed(Frame(2, "\x1B]   o", 0x22));  // read row 0, columns 0-79
    EXPECT_EQ(Sent(), Hex(Frame(2, "HI\r", 0x20)));
    Feed("\x15");  // NAK: the same frame again
    EXPECT_EQ(Sent(), Hex(Frame(2, "HI\r", 0x20)));
    Feed("\x06");
    EXPECT_EQ(Sent(), "04");
    // The read reset the expected sequence: the next block is 0x20.
    Feed(Frame(2,
               "\x11\x22\x20"
               "ok",
               0x20));
    EXPECT_EQ(Sent(), "06");
    EXPECT_EQ(Row(2), "ok");
}

TEST_F(FullFraming, AStatusRequestIsAnsweredWithAnSohReply)
{
    Feed(Frame(2, "\x1B?", 0x21));
    const std::string reply = Sent();
    EXPECT_EQ(reply.substr(0, 5), "01 21") << reply;
    EXPECT_EQ(reply.find("06"), std::string::npos) << reply;
}

TEST_F(FullFraming, AFunctionKeyWaitsForThePoll)
{
    Key(68);  // F1: held, the keyboard locked
    EXPECT_EQ(Sent(), "");
    EXPECT_TRUE(Ta.keyboardLocked);
    Feed("\x05");
    EXPECT_EQ(Sent(), "01 40 21 20 20 03 62");
    Feed("\x06");
    EXPECT_EQ(Sent(), "04");
    Feed("\x05");  // nothing pending: a poll gets nothing
    EXPECT_EQ(Sent(), "");
}

TEST_F(FullFraming, PacketBlockBoundsTheBlock)
{
    TaSettings.packetBlock = 3;  // 508 bytes
    TaApplyPacketBlock();
    Feed("\x04");
    Feed(Frame(2, "\x11\x20\x20" + std::string(505, 'a'), 0x20));
    EXPECT_EQ(Sent(), "06");
    Feed(Frame(2, "\x11\x20\x20" + std::string(506, 'b'), 0x21));
    EXPECT_EQ(Sent(), "15");
}

TEST_F(Ta6530Test, AProfilePacketBlockAboveSevenStaysInsideTheBuffer)
{
    TaProfileSettings.packetBlock = 9;
    Enter();
    EXPECT_LE(TaProtocol.maxBlock, kTaReceiveBuffer);
    UseSerialLine();
    Feed(Frame(1, "B"));
    Feed(Frame(2, std::string(1500, 'z'), 0x20));
    EXPECT_EQ(Sent(), "06 15");
}

TEST_F(Ta6530Test, ReducedFramingSendsReadsAtOnce)
{
    Feed("\x01"
         "B\x03"
         "x\x1B"
         "b");
    Feed("\x11\x20\x20"
         "HELLO\x1B]   o");
    EXPECT_EQ(Sent(), "48 45 4C 4C 4F 0D 04");
    Key(68);
    Feed("\x05");
    EXPECT_EQ(Sent(), "01 40 21 20 20 03 00");
    Feed("z\x01"
         "C\x03"
         "x");  // SOH right after data is ignored until an EOT
    EXPECT_EQ(Ta.mode, kTaBlock);
    Feed("\x04\x01"
         "C\x03"
         "x");
    EXPECT_EQ(Ta.mode, kTaConversational);
}

}  // namespace
