// 5250 records end to end: a host screen and the reply to the operator's keys, the
// query reply, screen sizes, and the negative responses of malformed records, with the
// bytes a host sees (IAC EOR ends each record).
#include "session5250_fixture.h"

#include "terminal/emulations/ibmhost/5250/screen/status5250.h"

using t5250::Negative;
using t5250::Record;

namespace {
// Clear Unit, then "NAME:" and an underlined 10-cell input field after it, and Read MDT
// Fields: the host's usual sign-on shape.
constexpr const char* kNameScreen =
    "00 22 12 A0 00 00 04 00 00 03 04 40 04 11 00 08 11 01 01 D5 C1 D4 C5 7A 1D 40 00 24 00 0A 04 52 00 00";
}  // namespace

TEST_F(Session5250Test, HostScreenKeysAndReplyGoBackAsTheHostExpects)
{
    Host(kNameScreen);
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(Row(0), "NAME:");
    EXPECT_EQ(Cursor(), "1/7");
    const HostDisplayCell& field = s.rows[0].cells[6];
    EXPECT_TRUE(field.rendition & kShowUnderline);
    s.cursorPosOn = 1;
    I5250RefreshCursorPos(&s);
    EXPECT_NE(Status().find("01/07"), std::string::npos) << Status();

    Type("ABC");
    Key(t5250::kKeypadEnter);
    EXPECT_EQ(Sent(), "00 13 12 A0 00 00 04 00 00 03 01 0A F1 11 01 07 C1 C2 C3 FF EF");
    EXPECT_TRUE(s.inhibited);  // until the host answers
}

TEST_F(Session5250Test, QueryNamesTheDeviceInEbcdicWithItsCapabilities)
{
    Host(Record("04 F3 00 05 D9 70 00"));
    EXPECT_EQ(Sent(), "00 47 12 A0 00 00 04 00 00 03 00 00 88 00 3A D9 70 80 06 00 04 02 00 "
                      "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01 F3 F1 F7 F9 F0 F0 F2 02 00 00 "
                      "00 00 00 00 01 00 00 00 00 7F 11 4E 00 00 00 00 00 00 00 00 00 FF EF");
}

TEST_F(Session5250Test, WideModelClearsToTheAlternateSize)
{
    Start(t5250::kModel3477);
    const int layouts = doubles::IbmHost().layouts;
    Host(Record("04 20 00 04 11 00 08 11 1B 84 E9"));
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(s.current.rows, 27);
    EXPECT_EQ(s.current.columns, 132);
    EXPECT_GT(doubles::IbmHost().layouts, layouts);  // the window is laid out again
    EXPECT_EQ(Row(26), std::string(131, ' ') + "Z");
}

TEST_F(Session5250Test, MalformedRecordsAreAnsweredWithTheirSenseCodes)
{
    struct Case {
        const char* name;
        std::string record;
        const char* sense;
    };
    const Case cases[] = {
        {"operation code 9", Record("", 9), "10 05 01 11"},
        {"escape alone", Record("04"), "10 05 01 21"},
        {"length 8", "00 08 12 A0 00 00 04 00", "10 05 01 10"},
        {"length past the bytes", "00 20 12 A0 00 00 04 00 00 03", "10 05 01 10"},
        {"variable header past the record", "00 0A 12 A0 00 00 08 00 00 03", "10 05 01 10"},
        {"record type", "00 0A 12 A1 00 00 04 00 00 03", "10 05 01 11"},
        {"start of header short of its bytes", Record("04 11 00 00 01 07 00"), "10 05 01 21"},
        {"clear unit alternate on a 24 x 80 model", Record("04 20 00"), "10 03 01 01"},
        {"structured field type 0x38", Record("04 F3 00 05 D9 38 00"), "10 05 01 11"},
        {"unknown command", Record("04 99"), "10 03 01 01"},
        {"data without escape", Record("11 01 01"), "10 05 01 31"},
        {"read screen with a byte after it", Record("04 62 00"), "10 03 01 01"},
        {"attribute out of range", Record("04 11 00 00 1D 40 00 41 00 05"), "10 05 01 30"},
        {"set buffer address past the screen", Record("04 11 00 00 11 19 01"), "10 05 01 22"},
    };
    for (const Case& c : cases) {
        Start(t5250::kModel3179);
        Host(c.record);
        EXPECT_EQ(Sent(), Negative(c.sense)) << c.name;
    }
}

TEST_F(Session5250Test, AGoodRecordActsBeforeABadOneAndOneResponseGoes)
{
    Host(Record("04 11 00 00 11 01 01 C1") + " 00 08 12 A0 00 00 04 00");
    EXPECT_EQ(Row(0), "A");
    EXPECT_EQ(Sent(), Negative("10 05 01 10"));
}

TEST_F(Session5250Test, SystemRequestRecordsAreSkippedAndCancelInviteAlwaysAnswers)
{
    Host(Record("04 11 00 00 11 01 01 C1", 3, 0x04));
    EXPECT_EQ(Row(0), "");
    EXPECT_EQ(Sent(), "");
    Host(Record("", 10));
    EXPECT_EQ(Sent(), "00 0A 12 A0 00 00 04 00 00 0A FF EF");
}

TEST_F(Session5250Test, MessageWaitingFollowsTheOperationCodes)
{
    Host(Record("", 11));
    EXPECT_TRUE(s.messageWaiting);
    EXPECT_NE(Status().find('M'), std::string::npos);
    Host(Record("", 12));
    EXPECT_FALSE(s.messageWaiting);
}
