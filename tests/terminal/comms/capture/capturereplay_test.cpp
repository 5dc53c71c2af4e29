// Capture and replay in the telnet engine: raw capture of what the socket delivered and
// of what was sent, replay into a record session in place of the socket with its step
// prompt, records replayed to the host, and the names a host may give its capture.
#include "terminal/comms/telnet/telnet_fixture.h"
#include "support/doubles_host.h"
#include "terminal/comms/capture/capturename.h"
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/comms/capture/replayrecord.h"
#include "terminal/comms/telnet/telnetreplay.h"
#include "terminal/core/base/corestate.h"

namespace {
using doubles::Comms;

class CaptureReplayTest : public TelnetTest {
protected:
    Tn3270Session session{};
    void SetUp() override
    {
        TelnetTest::SetUp();
        doubles::ResetHost();
        StepReplay3270 = 0;
        ResetReplayRecord();
    }
    void TearDown() override
    {
        TelnetReplayEnd();
        StepReplay3270 = 0;
        TelnetTest::TearDown();
    }
    // A 3270 session whose connection agreed on binary records both ways (a replayed
    // capture brings that negotiation with it).
    void RecordSession()
    {
        for (u8 option : {tn::BINARY, tn::END_OF_RECORD})
            Telnet.local[option] = Telnet.remote[option] = 1;
        Telnet.eorPermit3270 = 1;
        session.recordMode = 1;
        Tn3270ActiveSession = &session;
        EmulationId = 6;
    }
    static void ReplayFile(const std::vector<u8>& bytes)
    {
        Comms().replayOpen = true;
        Comms().replay.assign(bytes.begin(), bytes.end());
    }
};
}  // namespace

TEST(CaptureNames, OnlyPlainNamesInTheWorkingDirectory)
{
    struct Case {
        const char16_t* name;
        bool plain;
    };
    const Case cases[] = {
        {u"log.txt", true}, {u"LOG", true},        {u"a b.cap", true},
        {u"com10", true},   {u"..\\x", false},     {u"C:\\x", false},
        {u"C:x", false},    {u"dir/x", false},     {u"\\\\server\\x", false},
        {u"..", false},     {u".", false},         {u"x.", false},
        {u"x ", false},     {u"", false},          {u"a*b", false},
        {u"a?", false},     {u"con", false},       {u"CON.txt", false},
        {u"nul", false},    {u"com1", false},      {u"LPT9.log", false},
        {u"aux", false},    {u"tab\there", false}, {u"a|b", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPlainCaptureName(reinterpret_cast<const wchar16*>(c.name)), c.plain)
            << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)).size();
    EXPECT_FALSE(IsPlainCaptureName(nullptr));
    std::u16string longName(300, u'a');
    EXPECT_FALSE(IsPlainCaptureName(reinterpret_cast<const wchar16*>(longName.c_str())));
}

TEST_F(CaptureReplayTest, RawCaptureTakesCommandsAndSentBytesAsTheyWent)
{
    Comms().rawTelnetCapture = true;
    const std::vector<u8> stream = {'a', 0xFF, 0xF1, 'b', 0xFF, 0xFF, 'c'};
    Host(stream);
    EXPECT_EQ(Hex(Drain()), "61 62 FF 63");
    EXPECT_EQ(Hex(Comms().capturedRaw), Hex(stream));
    const u16 units[] = {'x', 0xFF};
    TelnetSendData(SocketIndex, units, 2, false);
    EXPECT_EQ(Hex(Comms().capturedSent), "78 FF FF");

    Comms() = {};
    Host(Text("not captured"));
    Drain();
    EXPECT_TRUE(Comms().capturedRaw.empty());
}

TEST_F(CaptureReplayTest, ReplayStandsInForTheSocketOfARecordSession)
{
    RecordSession();
    // A byte of the connection waits in the receive buffer when the replay starts.
    Host(Bytes({0x99}));
    NetBuffers.receiveCount = 0;
    ReplayFile(Bytes({0x01, 0x02, 0xFF, 0xEF, 0x03, 0xFF, 0xFF, 0xFF, 0xEF}));
    Drain();
    ASSERT_EQ(doubles::Peer().records3270.size(), 2u);
    EXPECT_EQ(Hex(doubles::Peer().records3270[0]), "01 02");
    EXPECT_EQ(Hex(doubles::Peer().records3270[1]), "03 FF");
    EXPECT_EQ(Comms().replayStops, 1);
    // The connection's state is back, and its socket is read again.
    EXPECT_FALSE(TelnetReplaySwapped());
    EXPECT_EQ(Telnet.telnetMode.load(), 1u);
    EXPECT_TRUE(doubles::Peer().chunks.empty());
}

TEST_F(CaptureReplayTest, AnswersToAReplayedStreamStayHere)
{
    RecordSession();
    ReplayFile(Bytes({0x01, 0xFF, 0xEF}));
    Comms().replay.push_back(0x02);  // more to come: the replay still runs after the record
    ASSERT_EQ(TelnetFillInput(SocketIndex, 1), 4);
    ASSERT_TRUE(TelnetReplaySwapped());
    const u16 answer[] = {0x7D, 0x40};
    TelnetSendData(SocketIndex, answer, 2, true);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(CaptureReplayTest, SteppedReplayAsksBetweenRecords)
{
    RecordSession();
    StepReplay3270 = 1;
    Comms().replayStepAnswer = 5;  // Ignore: run on without asking
    ReplayFile(Bytes({0x01, 0xFF, 0xEF, 0x02, 0xFF, 0xEF, 0x03, 0xFF, 0xEF}));
    Drain();
    EXPECT_EQ(Comms().replaySteps, 1);
    EXPECT_EQ(StepReplay3270, 0);
    EXPECT_EQ(doubles::Peer().records3270.size(), 3u);

    doubles::Peer().records3270.clear();
    Comms() = {};
    StepReplay3270 = 1;
    Comms().replayStepAnswer = 3;  // Abort: the rest of the block is dropped
    ReplayFile(Bytes({0x01, 0xFF, 0xEF, 0x02, 0xFF, 0xEF}));
    Drain();
    EXPECT_EQ(Comms().replayStops, 1);
    EXPECT_EQ(doubles::Peer().records3270.size(), 1u);
}

TEST_F(CaptureReplayTest, RecordsReplayedToTheHostKeepDoubledIac)
{
    // FF FF EF is a data byte 255 and then EF: the record goes on to the real IAC EOR.
    for (u8 b : Bytes({0x01, 0xFF, 0xFF, 0xEF, 0x02, 0xFF, 0xF1, 0x03, 0xFF, 0xEF}))
        ReplayRecordByte(b);
    EXPECT_EQ(Hex(Sent()), "01 FF FF EF 02 03 FF EF");

    // An endless record is cut, and the next one starts clean.
    for (int i = 0; i < kReplayRecordMax + 100; ++i)
        ReplayRecordByte(0x40);
    EXPECT_TRUE(ReplayRecordByte(0xFF) == false && ReplayRecordByte(0xEF));
    EXPECT_EQ(Sent().size(), static_cast<std::size_t>(kReplayRecordMax) + 2);
    ReplayRecordByte(0x07);
    ReplayRecordByte(0xFF);
    ReplayRecordByte(0xEF);
    EXPECT_EQ(Hex(Sent()), "07 FF EF");
}
