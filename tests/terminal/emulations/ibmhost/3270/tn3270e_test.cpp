// TN3270E records end to end: headers, responses, BIND-IMAGE and the data phases, with
// the bytes a host would see.
#include "session3270_fixture.h"

using t3270::kBindImage;
using t3270::kResponses;

namespace {
// A 3270-DATA Erase/Write of "NAME:" with an unprotected field after it and the cursor
// at its start.
constexpr const char* kNameScreen = "00 00 02 00 01 F5 C3 11 40 40 1D 60 D5 C1 D4 C5 7A 1D 40 13 11 40 D4 1D 60";

// A BIND image for LU type 2 with the screen-size code and sizes given.
std::string Bind(int code, int rows, int columns, int altRows, int altColumns, int length = 26)
{
    std::vector<u8> b(static_cast<std::size_t>(length), 0);
    b[0] = 0x31;
    if (length > 24) {
        b[14] = 0x02;
        b[20] = static_cast<u8>(rows);
        b[21] = static_cast<u8>(columns);
        b[22] = static_cast<u8>(altRows);
        b[23] = static_cast<u8>(altColumns);
        b[24] = static_cast<u8>(code);
    }
    return "03 00 01 00 07 " + t3270::Hex(b);
}
}  // namespace

TEST_F(Session3270Test, HostScreenKeysAndReadsGoBackAsTheHostExpects)
{
    Host(kNameScreen);
    EXPECT_EQ(Sent(), "02 00 00 00 01 00 FF EF");
    EXPECT_EQ(Row(0), " NAME:");
    EXPECT_EQ(s.cursor, 7);

    Type("ABC");
    I3270KeyFunction(&s, 111, 0);  // keypad Enter
    EXPECT_EQ(Sent(), "00 00 00 00 00 7D 40 4A 11 40 C7 C1 C2 C3 FF EF");

    Host("00 00 02 00 02 6E");  // Read Modified All
    EXPECT_EQ(Sent(), "02 00 00 00 02 00 FF EF 00 00 00 00 01 7D 40 4A 11 40 C7 C1 C2 C3 FF EF");
}

TEST_F(Session3270Test, ErrorResponsesFollowTheHostsResponseFlag)
{
    Host("00 00 01 00 03 F7");  // unknown command
    EXPECT_EQ(Sent(), "02 00 01 00 03 00 FF EF");
    Host("00 00 01 00 04 F1 C3 11 5E 40");  // address 1920 on 1,920 cells
    EXPECT_EQ(Sent(), "02 00 01 00 04 02 FF EF");
    EXPECT_EQ(s.lastError, 752u);
    Host("00 00 01 00 05 F1 C3 11 40 40 C1");
    EXPECT_EQ(Sent(), "");
    Host("00 00 02 FF FF F1 C3");
    EXPECT_EQ(Sent(), "02 00 00 FF FF FF FF 00 FF EF");
    Host("00 00 02 00");  // shorter than its header
    EXPECT_EQ(Sent(), "");

    Start(t3270::kModel3279_2, {});  // no RESPONSES: flags and sequence read as 0
    Host("00 00 02 00 09 F7");
    EXPECT_EQ(Sent(), "");
}

TEST_F(Session3270Test, BindMovesTheModelAndRefusesSizesTheScreenCannotHold)
{
    Start(t3270::kModel3278_2, {kBindImage, kResponses});
    Host("00 00 02 00 01 F5 C3");
    EXPECT_EQ(Sent(), "02 00 01 00 01 00 FF EF");  // 3270-DATA before the BIND: 714
    Host(Bind(0x7F, 24, 80, 27, 132));
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(s.model, t3270::kModel3278_5);
    EXPECT_EQ(s.bindReceived, 1u);
    doubles::IbmHost().layouts = 0;
    Host("00 00 02 00 02 7E C3 11 00 00 C1 11 0D EB C2");  // Erase/Write Alternate
    EXPECT_EQ(Sent(), "02 00 00 00 02 00 FF EF");
    EXPECT_EQ(s.current.rows, 27);
    EXPECT_EQ(s.current.columns, 132);
    EXPECT_EQ(Row(0), "A");
    EXPECT_EQ(Row(26), std::string(131, ' ') + "B");
    EXPECT_EQ(doubles::IbmHost().layouts, 1);

    // clang-format off
    struct Refused {
        std::string bind;
        const char* why;
    } const refused[] = {
        {Bind(0x7F, 0, 80, 24, 80), "no rows"},
        {Bind(0x7F, 24, 80, 24, 133), "133 columns"},
        {Bind(0x7F, 24, 80, 44, 80), "44 rows"},
        {Bind(0x7E, 40, 120, 0, 0), "over 4,096 cells"},
        {Bind(0x7F, 24, 80, 27, 132, 25), "25 bytes"},
    };
    // clang-format on
    for (const Refused& r : refused) {
        Start(t3270::kModel3278_2, {kBindImage, kResponses});
        Host(r.bind);
        // The negative response, then TN3270E refused (the plain TN3270 that follows
        // asks DONT ECHO in between).
        const std::string sent = Sent();
        EXPECT_EQ(sent.substr(0, 23), "02 00 01 00 07 00 FF EF") << r.why;
        EXPECT_EQ(sent.substr(sent.size() - 8), "FF FC 28") << r.why;
        EXPECT_EQ(s.model, t3270::kModel3278_2) << r.why;
        EXPECT_EQ(Telnet.local[40], 0) << r.why;
    }
}

TEST_F(Session3270Test, UnbindReturnsToTheNvtPhaseAndNvtDataIsShown)
{
    Start(t3270::kModel3279_2, {kBindImage, kResponses});
    Host(Bind(0x00, 0, 0, 0, 0));
    EXPECT_EQ(s.connectionMode, 3u);
    EXPECT_EQ(s.recordMode, 1);
    Host("04 00 00 00 00");
    EXPECT_EQ(s.connectionMode, 1u);
    EXPECT_EQ(s.bound, 0u);
    Host("05 00 00 00 00 68 69 0D 0A 6F 6B");
    EXPECT_EQ(Row(0), "hi");
    EXPECT_EQ(Row(1), "ok");
    Host("00 00 02 00 03 F5 C3");  // 3270-DATA after UNBIND, before a new BIND
    EXPECT_EQ(Sent(), "02 00 01 00 03 00 FF EF");
}

TEST_F(Session3270Test, PlainTn3270RecordsAreCommandsWithoutHeader)
{
    Start(t3270::kModel3279_2, {}, false);
    EXPECT_EQ(s.recordMode, 1);
    Host("F5 C3 11 40 40 C8 C9");
    EXPECT_EQ(Row(0), "HI");
    EXPECT_EQ(Sent(), "");
    Host("F2");  // Read Buffer: AID, cursor, then every cell
    const std::string reply = Sent();
    EXPECT_EQ(reply.substr(0, 15), "60 40 40 C8 C9 ");
    EXPECT_EQ(reply.size(), (3 + 1920 + 2) * 3u - 1);
}
