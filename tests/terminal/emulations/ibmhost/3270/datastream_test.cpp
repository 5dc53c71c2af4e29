// The outbound data stream: orders, addresses, erases and structured fields, each case
// checked by the screen it leaves and the response the host gets.
#include "session3270_fixture.h"

#include "terminal/emulations/ibmhost/3270/address3270.h"

namespace {
// A 3270-DATA record asking for a response whatever happens.
std::string Data(const std::string& command)
{
    return "00 00 02 00 01 " + command;
}
constexpr const char* kPositive = "02 00 00 00 01 00 FF EF";
std::string Negative(const char* reason)
{
    return std::string("02 00 01 00 01 ") + reason + " FF EF";
}
}  // namespace

TEST_F(Session3270Test, OrdersBuildTheScreen)
{
    struct Case {
        const char* name;
        const char* command;
        int row;
        const char* text;
        int cursor;
    } const cases[] = {
        {"14-bit address", "F5 C3 11 00 50 C1", 1, "A", 0},
        {"12-bit address", "F5 C3 11 C1 50 C1 13", 1, "A", 81},
        {"repeat to the same address fills the buffer", "F5 C3 3C 40 40 C1", 23,
         "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", 0},
        {"repeat with graphic escape", "F5 C3 3C 40 C5 08 C1 C2", 0, "AAAAAB", 0},
        {"insert cursor", "F5 C3 11 40 C3 13 C1", 0, "   A", 3},
        {"program tab after data nulls the field's rest", "F5 C3 1D 40 C1 C1 C1 C1 1D 40 11 40 C2 C2 05 C3", 0,
         " AB   C", 0},
        {"program tab after an order only moves", "F5 C3 1D 40 C1 C1 C1 1D 40 11 40 C2 05 C2", 0, " AAA B", 0},
        {"erase unprotected to address", "F5 C3 1D 40 C1 C1 1D 60 C2 C2 11 40 40 12 40 C6", 0, "    BB", 0},
        {"start field extended", "F5 C3 29 02 C0 60 42 F2 C1", 0, " A", 0},
    };
    for (const Case& c : cases) {
        Start(t3270::kModel3279_2, {t3270::kResponses});
        Host(Data(c.command));
        EXPECT_EQ(Sent(), kPositive) << c.name;
        EXPECT_EQ(Row(c.row), c.text) << c.name;
        EXPECT_EQ(s.cursor, c.cursor) << c.name;
    }
}

TEST_F(Session3270Test, BadOrdersAreAnsweredAndStopWhereTheyFail)
{
    struct Case {
        const char* name;
        int model;
        const char* command;
        const char* reason;
        u32 error;
        const char* row0;
    } const cases[] = {
        {"reserved address form", t3270::kModel3279_2, "F5 C3 C1 11 80 40 C2", "02", 752, "A"},
        {"address past the buffer", t3270::kModel3279_2, "F5 C3 C1 11 5E 40 C2", "02", 752, "A"},
        {"address cut", t3270::kModel3279_2, "F5 C3 C1 11 40", "02", 754, "A"},
        {"graphic escape at the end", t3270::kModel3279_2, "F5 C3 C1 08", "02", 754, "A"},
        {"start field without its attribute", t3270::kModel3279_2, "F5 C3 C1 1D", "02", 754, "A"},
        {"set attribute on a 3278-2", t3270::kModel3278_2, "F5 C3 C1 28 42 F2 C2", "00", 755, "A"},
        {"start field extended on a 3278-2", t3270::kModel3278_2, "F5 C3 C1 29 01 C0 60", "00", 755, "A"},
        {"modify field on a 3278-2", t3270::kModel3278_2, "F5 C3 C1 2C 01 41 F2", "00", 755, "A"},
        {"modify field off an attribute", t3270::kModel3279_2, "F5 C3 C1 2C 01 41 F2", "02", 752, "A"},
        {"modify field at the end", t3270::kModel3279_2, "F5 C3 C1 2C", "02", 754, "A"},
        {"colour value unknown", t3270::kModel3279_2, "F5 C3 C1 28 42 E0", "00", 753, "A"},
        {"character set in a field", t3270::kModel3279_2, "F5 C3 C1 29 01 43 F1", "02", 751, "A"},
        {"field attribute outside a field", t3270::kModel3279_2, "F5 C3 C1 28 C0 60", "00", 753, "A"},
        {"pairs cut", t3270::kModel3279_2, "F5 C3 C1 29 02 C0 60 41", "02", 754, "A"},
        {"data after a read", t3270::kModel3279_2, "F2 C1", "00", 753, ""},
        {"erase all unprotected with data", t3270::kModel3279_2, "6F C1", "00", 753, ""},
        {"unknown command", t3270::kModel3279_2, "00", "00", 750, ""},
        {"erase/write without its WCC", t3270::kModel3279_2, "F5", "00", 753, ""},
        {"write without its WCC", t3270::kModel3279_2, "F1", "00", 753, ""},
    };
    for (const Case& c : cases) {
        Start(c.model, {t3270::kResponses});
        Host(Data(c.command));
        EXPECT_EQ(Sent(), Negative(c.reason)) << c.name;
        EXPECT_EQ(s.lastError, c.error) << c.name;
        EXPECT_EQ(Row(0), c.row0) << c.name;
    }
}

TEST_F(Session3270Test, EraseWriteWithoutItsWccKeepsTheScreenAndIsRefused)
{
    Host(Data("F5 C3 C1 C2"));
    Host("00 00 02 00 02 F5");
    EXPECT_EQ(Row(0), "AB");
    EXPECT_EQ(s.lastError, 753u) << "a write without its WCC is refused";
    Host("00 00 02 00 03 F1 C0 11 40 40 C3");  // Write without restore: keyboard stays locked
    EXPECT_TRUE(I3270InputInhibited(&s));
    EXPECT_EQ(Row(0), "CB");
}

TEST_F(Session3270Test, EraseAllUnprotectedClearsInputAndHomes)
{
    Host(Data("F5 C3 1D 60 C1 1D C1 C2 C3 1D 60 C4 1D 40 C5"));
    EXPECT_EQ(Row(0), " A BC D E");
    Host("00 00 02 00 02 6F");
    EXPECT_EQ(Row(0), " A    D");
    EXPECT_EQ(s.cursor, 3);
    EXPECT_EQ(s.cells[2].flags & kCellModified, 0);  // the modified tag went with the data
}

TEST_F(Session3270Test, StructuredFieldsAreCheckedByLengthAndPlace)
{
    struct Case {
        const char* name;
        const char* fields;
        const char* answer;
    } const cases[] = {
        {"length past the record", "F3 00 09 03 00", "02 00 01 00 01 02 FF EF"},
        {"length below 3", "F3 00 02 03", "02 00 01 00 01 02 FF EF"},
        {"unknown identifier", "F3 00 04 41 00", "02 00 01 00 01 00 FF EF"},
        {"erase/reset flags", "F3 00 04 03 40", "02 00 01 00 01 00 FF EF"},
        {"read partition not last", "F3 00 05 01 FF 02 00 04 03 00", "02 00 01 00 01 02 FF EF"},
        {"query to partition 0", "F3 00 05 01 00 02", "02 00 01 00 01 02 FF EF"},
        {"reply mode above 2", "F3 00 05 09 00 03", "02 00 01 00 01 00 FF EF"},
        {"start print before the last field", "F3 00 07 40 00 F1 C8 C1 00 04 03 00", "02 00 01 00 01 00 FF EF"},
        {"load programmed symbols", "F3 00 04 06 00", "02 00 01 00 01 00 FF EF"},
    };
    for (const Case& c : cases) {
        Start(t3270::kModel3279_2, {t3270::kResponses});
        Host(Data(c.fields));
        EXPECT_EQ(Sent(), c.answer) << c.name;
    }

    Start(t3270::kModel3279_5, {t3270::kResponses});
    Host(Data("F3 00 04 03 80 00 0A 40 00 F1 C3 11 6F 5B C1"));  // Erase/Reset alternate, Write
    EXPECT_EQ(Sent(), kPositive);
    EXPECT_EQ(s.current.columns, 132);
    EXPECT_EQ(Row(22), std::string(131, ' ') + "A");
}

TEST_F(Session3270Test, SixBitAddressesAndMirroredLayout)
{
    u8 code[2];
    EncodeAddress(s, 1919, code);
    EXPECT_EQ(code[0], 0x5D);
    EXPECT_EQ(code[1], 0x7F);
    s.direction = 0x04;  // right-to-left screen
    EXPECT_EQ(MirrorAddress(s, 0), 79);
    EXPECT_EQ(StepForward(s, 79), 78);
    EXPECT_EQ(StepForward(s, 80), 239);
    EXPECT_EQ(StepForward(s, 1840), 79);
    EXPECT_EQ(StepBackward(s, 79), 1840);
    EXPECT_EQ(StepBackward(s, 159), 0);
}
