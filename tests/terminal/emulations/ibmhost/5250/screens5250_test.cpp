// Whole screens: Read Screen of the largest screen, Save Screen and Restore Screen, the
// window and geometry checks of the enhanced interface, Roll and Write Error Code.
#include "session5250_fixture.h"

#include "terminal/emulations/ibmhost/5250/datastream/savescreen5250.h"

using t5250::Bytes;
using t5250::Hex;
using t5250::Negative;
using t5250::Record;

namespace {
// The data of the last record sent, without its header and IAC EOR (IAC undoubled).
std::vector<u8> SentData(const std::vector<u8>& sent)
{
    std::vector<u8> out;
    for (std::size_t i = 0; i + 1 < sent.size(); ++i) {
        if (sent[i] == 0xFF && sent[i + 1] == 0xEF)
            break;
        if (sent[i] == 0xFF && sent[i + 1] == 0xFF)
            ++i;
        out.push_back(sent[i]);
    }
    return out;
}

std::string AllCells(const I5250Session& s)
{
    std::string out;
    for (i32 a = 1; a <= s.current.bufferSize; ++a) {
        const HostCell& c = s.cells[static_cast<std::size_t>(a)];
        out += Hex({c.character, static_cast<u8>(c.flags & 0x82), c.extended, c.foreground});
    }
    return out;
}
}  // namespace

TEST_F(Session5250Test, ReadScreenWithAttributesOfTheLargestScreenArrivesWhole)
{
    Start(t5250::kModel3477);
    std::string orders = "04 20 00 04 11 00 00";
    for (int i = 0; i < 27 * 132; ++i)
        orders += " 12 01 82 12 03 84 C1";
    Host(Record(orders + " 04 64"));
    const std::vector<u8> reply = SentData(doubles::Peer().sent);
    ASSERT_EQ(reply.size(), 24985u);
    EXPECT_EQ(Hex({reply[0], reply[1]}), "61 99");
    EXPECT_EQ(Hex(std::vector<u8>(reply.begin() + 10, reply.begin() + 17)), "10 01 82 10 03 84 C1");
    EXPECT_EQ(reply.back(), 0xFF);
}

TEST_F(Session5250Test, ReadScreenKeepsEachRowsCellsInOrder)
{
    Host(Record("04 40 04 11 00 00 11 01 03 C1 12 01 84 C2 04 64"));
    const std::vector<u8> reply = SentData(doubles::Peer().sent);
    ASSERT_GE(reply.size(), 20u);
    // Two nulls before "A", then the underline run's start before "B"; the rest of the
    // row's nulls go with its end, as do a blank row's.
    EXPECT_EQ(Hex(std::vector<u8>(reply.begin() + 10, reply.begin() + 20)), "00 00 C1 10 01 84 C2 FF FF FF");
}

TEST_F(Session5250Test, SavedScreenComesBackWhole)
{
    std::string td = "10 00 50";
    for (int i = 0; i < 80; ++i)
        td += " 3F";
    Host(Record("04 40 04 11 00 08 11 02 01 " + td + " 11 05 05 1D 40 00 24 00 06 11 06 01 3F 12 01 84 C1 3F"));
    const std::string before = AllCells(s);
    const std::string rows[2] = {Row(1), Row(4)};
    Sent();
    Host(Record("04 02"));
    const std::vector<u8> saved = SentData(doubles::Peer().sent);
    Sent();
    ASSERT_GT(saved.size(), 16u);
    EXPECT_EQ(Hex(std::vector<u8>(saved.begin() + 10, saved.begin() + 16)), "04 12 F0 01 43 55");
    Host(Record("04 40"));
    EXPECT_EQ(Row(1), "");
    Host(Record(Hex(std::vector<u8>(saved.begin() + 10, saved.end()))));
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(AllCells(s), before);
    EXPECT_EQ(Row(1), rows[0]);
    ASSERT_EQ(s.fields.size(), 1u);
    EXPECT_EQ(s.fields[0].extents[0].start, 5 * 80 - 80 + 5);
}

TEST_F(Session5250Test, AnImageSaveScreenCannotHaveWrittenChangesNothing)
{
    Host(Record("04 40 04 11 00 08 11 01 01 C8 C9"));
    Sent();
    Host(Record("04 02"));
    const std::vector<u8> saved = SentData(doubles::Peer().sent);
    Sent();
    // The body's rows, made 200.
    std::vector<u8> body;
    const int length = saved[16] << 8 | saved[17];
    ASSERT_EQ(I5250Expand(saved.data() + 18, static_cast<int>(saved.size()) - 18, length - 2, body),
              static_cast<int>(saved.size()) - 18);
    body[8] = 0;
    body[9] = 200;
    std::vector<u8> command = {0x04, 0x12, 0xF0, 0x01, 0x43, 0x55, saved[16], saved[17]};
    const std::vector<u8> packed = I5250Compress(body);
    command.insert(command.end(), packed.begin(), packed.end());
    const std::string before = AllCells(s);
    Host(Record(Hex(command)));
    EXPECT_EQ(Sent(), Negative("10 03 01 01"));
    EXPECT_EQ(AllCells(s), before);
    EXPECT_EQ(s.current.rows, 24);
}

TEST_F(Session5250Test, RunLengthPackingRoundTrips)
{
    const std::vector<std::vector<u8>> bodies = {
        {}, {0x3F}, {1, 2, 3}, std::vector<u8>(300, 7), {0x3F, 0x3F, 1, 1, 1, 1, 0x3F}, std::vector<u8>(600, 0x3F),
    };
    for (const std::vector<u8>& b : bodies) {
        const std::vector<u8> packed = I5250Compress(b);
        std::vector<u8> out;
        EXPECT_EQ(I5250Expand(packed.data(), static_cast<int>(packed.size()), b.size(), out),
                  static_cast<int>(packed.size()));
        EXPECT_EQ(out, b);
    }
}

TEST_F(Session5250Test, WindowsMustFitTheScreen)
{
    configure = [](I5250Settings& c) { c.enhancedUi = 1; };
    Start(t5250::kModel3179);
    EXPECT_EQ(s.capabilities[4], 0x03);
    // A 10 x 20 window at row 20 column 75 runs past the screen.
    Host(Record("04 11 00 00 11 14 4B 15 00 09 D9 51 80 00 00 0A 14"));
    EXPECT_EQ(Sent(), Negative("10 05 01 12"));
    for (int r = 19; r < 24; ++r)
        EXPECT_EQ(Row(r), "") << r;
    // A 3 x 10 window at row 5 column 10 is drawn, with the cursor kept inside.
    Host(Record("04 11 00 00 11 05 0A 15 00 09 D9 51 80 00 00 03 0A"));
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(Row(4), "         ............");
    EXPECT_EQ(Row(5), "         :          :");
    EXPECT_EQ(Row(8), "         :..........:");
    ASSERT_EQ(s.windows.size(), 1u);
    EXPECT_TRUE(s.windows[0].restrictCursor);
}

TEST_F(Session5250Test, TheEnhancedInterfaceIsRefusedWhileItIsOff)
{
    Host(Record("04 11 00 00 11 05 0A 15 00 09 D9 51 80 00 00 03 0A"));
    EXPECT_EQ(Sent(), Negative("00 11 01 41"));
}

TEST_F(Session5250Test, RollMovesRowsWithinItsBounds)
{
    Host(Record("04 11 00 00 11 02 01 C1 11 03 01 C2 11 04 01 C3"));
    Host(Record("04 23 01 02 04"));  // up one line between rows 2 and 4
    EXPECT_EQ(Row(1), "B");
    EXPECT_EQ(Row(2), "C");
    Host(Record("04 23 85 02 04"));
    EXPECT_EQ(Sent(), Negative("10 05 01 2C"));
}

TEST_F(Session5250Test, WriteErrorCodeShowsOnTheErrorLineUntilReset)
{
    Host(Record("04 40 04 11 00 08 11 01 01 1D 40 00 20 00 05 11 18 01 C2 04 52 00 00"));
    Host(Record("04 21 22 C5 D9 D9 D6 D9", 1));
    EXPECT_EQ(Row(23), " ERROR");
    EXPECT_EQ(s.inputState, 6);
    Key(t5250::kEsc);
    EXPECT_EQ(Row(23), "B");
}
