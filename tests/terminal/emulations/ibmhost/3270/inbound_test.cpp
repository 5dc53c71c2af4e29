// What the terminal sends: Query Replies, read replies in the three reply modes, short
// reads and the AID keys that trigger them.
#include "session3270_fixture.h"

#include "terminal/emulations/ibmhost/3270/inbound3270.h"

namespace {
constexpr const char* kQuery = "00 00 02 00 01 F3 00 05 01 FF 02";
constexpr const char* kOk = "02 00 00 00 01 00 FF EF ";
}  // namespace

TEST_F(Session3270Test, QueryOn3279Model2)
{
    Host(kQuery);
    const std::string expected =
        std::string(kOk) + "00 00 00 00 00 88 " +
        "00 0C 81 80 80 81 85 86 87 88 99 A6 "
        "00 17 81 81 03 00 00 50 00 18 01 00 01 00 03 00 04 00 09 09 10 07 80 "
        "00 1F 81 85 82 10 09 10 00 00 00 00 09 00 00 00 02 B9 00 25 00 25 01 00 F1 03 C3 01 36 01 36 "
        "00 26 81 86 00 10 00 F4 F1 F1 F2 F2 F3 F3 F4 F4 F5 F5 F6 F6 F7 F7 F8 F8 F9 F9 FA FA FB FB "
        "FC FC FD FD FE FE FF FF FF FF "
        "00 0D 81 87 04 00 F0 F1 F1 F2 F2 F4 F4 "
        "00 07 81 88 00 01 02 "
        "00 06 81 99 00 00 "
        "00 11 81 A6 00 00 0B 01 00 00 50 00 18 00 50 00 18 FF EF";
    EXPECT_EQ(Sent(), expected);
}

TEST_F(Session3270Test, QueryOn3278Model2HasNoExtendedReplies)
{
    Start(t3270::kModel3278_2, {t3270::kResponses});
    Host(kQuery);
    const std::string reply = Sent();
    EXPECT_NE(reply.find("00 09 81 80 80 81 85 99 A6 "), std::string::npos) << reply;
    EXPECT_EQ(reply.find("81 86"), std::string::npos);
    EXPECT_EQ(reply.find("81 87"), std::string::npos);
    EXPECT_EQ(reply.find("81 88"), std::string::npos);
}

// With an alternate size the Usable Area names the default size, the buffer size of the
// larger screen (27 x 132 = 3,564 = 0x0DEC), four bytes of partition limits and then the
// alternate size.
TEST_F(Session3270Test, UsableAreaOfAModelWithAnAlternateSizeCarriesItsBufferSize)
{
    Start(t3270::kModel3279_5, {t3270::kResponses});
    Host("00 00 02 00 01 F3 00 07 01 FF 03 00 81");
    const std::string reply = Sent();
    EXPECT_NE(reply.find("00 2E 81 81 03 00 00 50 00 18 01 00 01 00 03 00 04 00 09 "), std::string::npos) << reply;
    EXPECT_NE(reply.find(" 0D EC 00 00 00 00 13 02 00 01 00 84 00 1B 01 00 01 00 03 00 04 00 09 "),
              std::string::npos)
        << reply;
}

TEST_F(Session3270Test, QueryListAsksForCodesItNames)
{
    Host("00 00 02 00 01 F3 00 08 01 FF 03 00 87 A6");
    EXPECT_EQ(Sent(), std::string(kOk) + "00 00 00 00 00 88 00 0D 81 87 04 00 F0 F1 F1 F2 F2 F4 F4 "
                                         "00 11 81 A6 00 00 0B 01 00 00 50 00 18 00 50 00 18 FF EF");
}

TEST_F(Session3270Test, ReadModifiedFormsAndShortReads)
{
    Host("00 00 00 00 01 F5 C3 1D 60 C1 1D 40 13 11 40 C5 1D 60 C2 1D 40 1D 60");
    Type("XY");
    EXPECT_EQ(s.cursor, 6);       // past the protected attribute after the field
    I3270KeyFunction(&s, 88, 0);  // Page Down: PA2, a short read
    EXPECT_EQ(Sent(), "00 00 00 00 00 6E FF EF");
    Host("00 00 00 00 02 6E");  // Read Modified All is never short
    EXPECT_EQ(Sent(), "00 00 00 00 01 6E 40 C6 11 40 C3 E7 E8 FF EF");
    Host("00 00 00 00 03 F6");  // Read Modified with the short-read AID
    EXPECT_EQ(Sent(), "00 00 00 00 02 6E FF EF");

    Host("00 00 00 00 04 F5 C3 11 40 C5 C1 00 C2 13");  // unformatted: every non-null byte
    I3270KeyFunction(&s, 68, 0);
    EXPECT_EQ(Sent(), "00 00 00 00 03 F1 40 C8 C1 C2 FF EF");
}

TEST_F(Session3270Test, ReadBufferSendsFieldsByReplyMode)
{
    Host("00 00 00 00 01 F5 C3 29 02 C0 60 42 F2 C1 1D 40");
    Host("00 00 00 00 02 F2");
    std::string reply = Sent();
    EXPECT_EQ(reply.substr(0, 38), "00 00 00 00 00 60 40 40 1D 60 C1 1D 40");
    Host("00 00 00 00 03 F3 00 05 09 00 01");  // extended field mode
    Host("00 00 00 00 04 F2");
    reply = Sent();
    EXPECT_EQ(reply.substr(0, 71), "00 00 00 00 01 60 40 40 29 02 C0 60 42 F2 C1 29 01 C0 40 00 00 00 00 00");
}

TEST_F(Session3270Test, CharacterModeReadBufferOfEveryCellArrivesWhole)
{
    Start(t3270::kModel3279_5, {t3270::kResponses});
    Host("00 00 00 00 01 7E C3");
    Host("00 00 00 00 02 F3 00 08 09 00 02 41 42 43");
    std::string write = "00 00 00 00 03 F1 02";  // no reset: that would end character mode
    for (int i = 0; i < 27 * 132; ++i)
        write += i % 2 ? " 28 41 F2 28 42 F2 28 43 00 08 C1" : " 28 41 F1 28 42 F1 28 43 F1 08 C1";
    Host(write);
    ASSERT_EQ(s.lastError, 0u);
    Sent();
    Host("00 00 00 00 04 F2");
    const std::string reply = Sent();
    const std::size_t bytes = (reply.size() + 1) / 3;
    EXPECT_EQ(bytes, 5u + 3 + 27 * 132 * 11 + 2);
    EXPECT_EQ(reply.substr(0, 56), "00 00 00 00 00 60 40 40 28 41 F1 28 42 F1 28 43 F1 08 C1");
    EXPECT_EQ(reply.substr(reply.size() - 38), "28 41 F2 28 42 F2 28 43 00 08 C1 FF EF");
}
