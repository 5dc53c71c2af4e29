// The telnet engine: commands removed from data, subnegotiations collected, timing marks
// holding data, records handed over whole, and the writer.
#include <atomic>
#include <optional>
#include <thread>

#include "telnet_fixture.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/core/testfamily.h"

TEST_F(TelnetTest, DataLosesItsCommandsAndKeepsDoubledIac)
{
    Host(Bytes({0x41, 0xFF, 0xFF, 0x42, 0xFF, 0x05, 0x43}));
    EXPECT_EQ(Hex(Drain()), "41 FF 42 43");

    // Commands without data meaning vanish; NOP, GA, DM and friends leave no byte behind.
    Host(Bytes({'x', 0xFF, 0xF1, 0xFF, 0xF9, 0xFF, 0xF2, 0xFF, 0xF0, 'y', 0xFF, 0xF6, 'z'}));
    EXPECT_EQ(Hex(Drain()), Hex(Text("xyz")));
    EXPECT_TRUE(Sent().empty());
}

TEST_F(TelnetTest, RefilledBufferIsServedFromTheNextCall)
{
    Host(Text("ab"));
    EXPECT_EQ(TelnetGetByte(SocketIndex, 1), -1);
    EXPECT_EQ(TelnetGetByte(SocketIndex, 1), 'a');
    EXPECT_EQ(TelnetGetByte(SocketIndex, 1), 'b');
    doubles::Peer().lost = true;
    EXPECT_EQ(TelnetGetByte(SocketIndex, 1), -2);
    EXPECT_EQ(Telnet.telnetMode.load(), 0u);
}

TEST_F(TelnetTest, CommandSplitAcrossReceivesIsStillOneCommand)
{
    Host(Bytes({'a', 0xFF}));
    Host(Bytes({0xFD}));
    Host(Bytes({0x18, 'b'}));
    EXPECT_EQ(Hex(Drain()), Hex(Text("ab")));
    EXPECT_EQ(Hex(Sent()), "FF FB 18");
}

TEST_F(TelnetTest, SubnegotiationIsAnsweredOnceAndDoubledIacIsOneByte)
{
    Host(Bytes({0xFF, 0xFD, 0x18, 0xFF, 0xFA, 0x18, 0x01, 0xFF, 0xF0, 'k'}));
    EXPECT_EQ(Hex(Drain()), Hex(Text("k")));
    EXPECT_EQ(Hex(Sent()), Hex(Cat(Bytes({0xFF, 0xFB, 0x18, 0xFF, 0xFA, 0x18, 0x00}),
                                   Cat(Text("vt100"), Bytes({0xFF, 0xF0})))));

    // Bytes of an option nobody answers: the stored length counts the single 255.
    Host(Bytes({0xFF, 0xFA, 0x63, 0x01, 0xFF, 0xFF, 0x02, 0x00, 0x07, 0xFF, 0xF0}));
    Drain();
    EXPECT_EQ(Telnet.subLength, 6u);
    EXPECT_EQ(Hex({Telnet.sub, Telnet.sub + 6}), "63 01 FF 02 00 07");
}

TEST_F(TelnetTest, OversizedAndMalformedSubnegotiationsOfEveryOptionAreSurvived)
{
    std::vector<u8> big{0xFF, 0xFA, 0x18, 0x01};
    big.insert(big.end(), 5000, 0x41);
    Host(Cat(big, Bytes({0xFF, 0xF0, 'A'})));
    EXPECT_EQ(Hex(Drain()), "41");
    EXPECT_EQ(Telnet.subLength, kSubnegotiationMax);

    // Every option with an empty, a cut-short and a garbage body, in 3270 and 5250 sessions
    // too: the data after each still arrives.
    Tn3270Session s3270{};
    Tn5250Session s5250{};
    for (int session = 0; session < 3; ++session) {
        doubles::ResetTelnet();
        if (session == 1) {
            Tn3270ActiveSession = &s3270;
            EmulationId = 6;
            Host(Bytes({0xFF, 0xFD, 40}));
        }
        if (session == 2) {
            Tn5250ActiveSession = &s5250;
            EmulationId = 7;
            Host(Bytes({0xFF, 0xFD, 39}));
        }
        for (int option = 0; option < 256; ++option) {
            for (const auto& body : {Bytes({}), Bytes({1}), Bytes({2, 4}), Bytes({3, 4, 9, 9, 0}), Bytes({2, 6}),
                                     Bytes({1, 0, 0, 3, 2}), Bytes({0, 0xFF, 0xFF})}) {
                std::vector<u8> head = Bytes({0xFF, 0xFA, option});
                if (option == 0xFF)
                    head.push_back(0xFF);  // the option byte 255 travels doubled
                Host(Cat(Cat(head, body), Bytes({0xFF, 0xF0, 'q'})));
                if (Drain().size() != 1)
                    ADD_FAILURE() << "option " << option << " body " << Hex(body);
            }
        }
    }
}

TEST_F(TelnetTest, BreakSendsTimingMarkAndHoldsDataUntilItIsAnswered)
{
    TelnetSendBreak(SocketIndex);
    EXPECT_EQ(Hex(Sent()), "FF F3 FF FD 06");
    EXPECT_TRUE(TelnetTimingMarkPending());

    Host(Text("abc\rdef"));
    EXPECT_TRUE(Drain().empty());
    Host(Bytes({0xFF, 0xFC, 0x06}));
    Host(Text("g"));
    EXPECT_EQ(Hex(Drain()), Hex(Text("\rdefg")));
    EXPECT_FALSE(TelnetTimingMarkPending());
}

TEST_F(TelnetTest, BreakInABlockOrLocalEditModeSendsOnlyTheBreak)
{
    // The other families' block modes, as their telnet hooks tell them (modes 1 and 2 are
    // block modes, 3 is not).
    static u8 blockMode = 0;
    static const TelnetHooks blockTelnet{.breakEndsInput = [] { return blockMode == 1 || blockMode == 2; }};
    struct Case {
        u8 emulation;
        u8* flag;
        u8 value;
    } cases[] = {
        {2, &VtLocalEditFlag, 1}, {1, &VtLocalEditFlag, 1}, {8, &blockMode, 1},  {15, &blockMode, 1},
        {18, &blockMode, 1},      {17, &blockMode, 1},      {17, &blockMode, 2},
    };
    for (const Case& c : cases) {
        doubles::ResetTelnet();
        std::optional<TestFamily> family;
        if (!IsVtFamily(c.emulation))
            family.emplace(FamilyHooks{.emulations = EmulationBit(c.emulation), .telnet = &blockTelnet});
        EmulationId = c.emulation;
        *c.flag = c.value;
        TelnetConfig.sendBreakCR = 1;
        TelnetSendBreak(SocketIndex);
        EXPECT_EQ(Hex(Sent()), "FF F3") << "emulation " << int(c.emulation);
        *c.flag = 0;
    }
    // The same emulations out of those modes add the mark and the CR.
    TestFamily ta6530(FamilyHooks{.emulations = EmulationBit(17), .telnet = &blockTelnet});
    EmulationId = 17;
    blockMode = 3;
    TelnetSendBreak(SocketIndex);
    EXPECT_EQ(Hex(Sent()), "FF F3 FF FD 06 0D");
    blockMode = 0;
}

TEST_F(TelnetTest, UnansweredTimingMarkStopsCountingAfterFiveSeconds)
{
    static u64 now;
    now = 1000;
    TelnetTickCount = [] { return now; };
    TelnetSendTimingMark(SocketIndex);
    TelnetSendTimingMark(SocketIndex);  // two outstanding
    now += 5000;
    TelnetSendTimingMark(SocketIndex);  // restarts from 0: one outstanding
    Host(Bytes({'x', 0xFF, 0xFB, 0x06, 'y'}));
    EXPECT_EQ(Hex(Drain()), Hex(Text("xy")));
    TelnetTickCount = [] { return u64{0}; };
}

TEST_F(TelnetTest, HeldDataWithoutCarriageReturnIsCappedNotWrapped)
{
    TelnetSendTimingMark(SocketIndex);
    std::vector<u8> line(300 * 1024);
    for (std::size_t i = 0; i < line.size(); ++i)
        line[i] = static_cast<u8>('a' + i % 26);
    for (std::size_t at = 0; at < line.size(); at += 4096)
        Host({line.begin() + static_cast<std::ptrdiff_t>(at),
              line.begin() + static_cast<std::ptrdiff_t>(std::min(at + 4096, line.size()))});
    Host(Bytes({0xFF, 0xFB, 0x06}));
    const std::vector<u8> shown = Drain();
    ASSERT_GT(shown.size(), 64u * 1024);
    ASSERT_LE(shown.size(), kHeldDataMax);
    EXPECT_TRUE(std::equal(shown.begin(), shown.end(), line.end() - static_cast<std::ptrdiff_t>(shown.size())));
}

TEST_F(TelnetTest, RecordsAreHandedOverWholeInRecordSessions)
{
    Tn3270Session s3270{};
    s3270.recordMode = 1;
    Tn3270ActiveSession = &s3270;
    EmulationId = 6;
    Host(Bytes({0x01, 0x02, 0xFF, 0xFF}));
    Host(Bytes({0x03, 0xFF, 0xEF, 0x04, 0xFF, 0xEF, 0xFF, 0xEF}));
    EXPECT_TRUE(Drain().empty());
    ASSERT_EQ(doubles::Peer().records3270.size(), 2u);
    EXPECT_EQ(Hex(doubles::Peer().records3270[0]), "01 02 FF 03");
    EXPECT_EQ(Hex(doubles::Peer().records3270[1]), "04");

    doubles::ResetTelnet();
    Tn5250Session s5250{};
    s5250.blockMode = 1;
    Tn5250ActiveSession = &s5250;
    EmulationId = 7;
    std::vector<u8> record(10000, 0x40);
    Host(Cat(record, Bytes({0xFF, 0xEF, 0xFF, 0xEF})));
    Drain();
    ASSERT_EQ(doubles::Peer().records5250.size(), 1u);  // the empty one is not delivered
    EXPECT_EQ(doubles::Peer().records5250[0].size(), record.size());

    // Outside a record session IAC EOR is ignored and data flows byte by byte.
    doubles::ResetTelnet();
    Host(Bytes({'a', 0xFF, 0xEF, 'b'}));
    EXPECT_EQ(Hex(Drain()), Hex(Text("ab")));
}

TEST_F(TelnetTest, SentDataDoublesIacAndEndsRecords)
{
    const u16 units[] = {0x41, 0xFF, 0x1FF, 0x42};
    TelnetSendData(SocketIndex, units, 4, false);
    EXPECT_EQ(Hex(Sent()), "41 FF FF FF FF 42");
    TelnetSendData(SocketIndex, units + 1, 1, true);
    EXPECT_EQ(Hex(Sent()), "FF FF FF EF");
    const u16 data[] = {0xF5, 0xFF};
    TelnetSendTn3270eRecord(SocketIndex, 0, 0, 2, 0x01FF, data, 2);
    EXPECT_EQ(Hex(Sent()), "00 00 02 01 FF FF F5 FF FF FF EF");
    TelnetSendFixedRecord(SocketIndex, 7, 8);
    EXPECT_EQ(Hex(Sent()), "01 6C D9 07 08 FF EF");

    Telnet.telnetMode = 0;  // no telnet: output is discarded
    TelnetSendData(SocketIndex, units, 4, true);
    TelnetSendAbortOutput(SocketIndex);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(TelnetTest, WriterKeepsOrderThroughPartialSends)
{
    doubles::Peer().acceptLimit = 7;
    std::vector<u16> units(2000);
    std::vector<u8> expected;
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<u16>(i % 250);
        expected.push_back(static_cast<u8>(i % 250));
    }
    TelnetSendData(SocketIndex, units.data(), static_cast<int>(units.size()), false);
    // What is still buffered leaves with the next flushes (FD_WRITE does this).
    for (int i = 0; i < 200 && NetBuffers.sendPending.load(); ++i)
        TelnetWrite(SocketIndex, nullptr, 0);
    EXPECT_EQ(Sent(), expected);
}

TEST_F(TelnetTest, BlockedWriterGivesUpWhenThePeerIsGone)
{
    doubles::Peer().acceptLimit = 0;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        std::vector<u8> block(5000, 'x');
        TelnetWrite(SocketIndex, block.data(), static_cast<int>(block.size()));
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(done.load());  // blocked, waiting for the socket
    doubles::Peer().abandoned = true;
    writer.join();
    EXPECT_TRUE(done.load());
    EXPECT_EQ(NetBuffers.sendPending.load(), 0);
}

TEST_F(TelnetTest, FlushFromAnotherThreadNeverLosesTheWritersBytes)
{
    doubles::Peer().acceptLimit = 3;
    std::atomic<bool> stop{false};
    std::thread flusher([&] {
        while (!stop)
            TelnetWrite(SocketIndex, nullptr, 0);
    });
    std::vector<u8> expected;
    for (int i = 0; i < 400; ++i) {
        const u16 unit = static_cast<u16>(i % 200);
        TelnetSendData(SocketIndex, &unit, 1, false);
        expected.push_back(static_cast<u8>(unit));
    }
    for (int i = 0; i < 1000 && NetBuffers.sendPending.load(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    stop = true;
    flusher.join();
    EXPECT_EQ(Sent(), expected);
}
