// The 5250 keyboard against a host screen: field formats refusing characters with
// operator errors, Help sending the error, Reset, the field-exit keys with their
// adjustments and signs, the AID keys, the invite hand-shake and the unlock delay.
#include "session5250_fixture.h"

#include "terminal/emulations/ibmhost/5250/screen/status5250.h"

using t5250::Record;

namespace {
// One 5-cell input field at row 1 column 2 with the field format word given, the
// cursor in it, Read MDT Fields.
std::string FieldScreen(const char* ffw, const char* header = nullptr)
{
    std::string soh = header ? std::string(" ") + header : "";
    return Record("04 40 04 11 00 08" + soh + " 11 01 01 1D " + ffw + " 20 00 05 04 52 00 00");
}
}  // namespace

class Keyboard5250Test : public Session5250Test {
protected:
    // The communications loop's turn at the keys: queued events, deferred ones replayed
    // once the keyboard unlocked.
    void Pump() { I5250HandleKeyEvents(&s); }
    void QueueKey(int code, u32 shift = 0) { QueueInputEvent(3, static_cast<u16>(code), static_cast<u16>(shift)); }
    std::string FieldBytes(int first, int count) const
    {
        std::vector<u8> b;
        for (int i = 0; i < count; ++i)
            b.push_back(s.cells[static_cast<std::size_t>(first + i)].character);
        return t5250::Hex(b);
    }
};

TEST_F(Keyboard5250Test, NumericOnlyRefusesALetterAndHelpSendsTheError)
{
    Host(FieldScreen("43 00"));
    Type("A");
    EXPECT_EQ(Row(23), " 0010");
    EXPECT_EQ(s.inputState, 6);
    Key(t5250::kKeypadStar);
    EXPECT_EQ(Sent(), "00 0C 12 A0 00 00 04 01 00 00 00 10 FF EF");
    Key(t5250::kEsc);
    EXPECT_EQ(Row(23), "");
    EXPECT_EQ(s.inputState, 3);
    EXPECT_FALSE(s.inhibited);
    Type("5");
    EXPECT_EQ(FieldBytes(2, 1), "F5");
}

TEST_F(Keyboard5250Test, FieldFormatsTakeTheirCharacters)
{
    struct Case {
        const char* ffw;
        const char* typed;
        const char* row24;  // the error shown, or "" when taken
    };
    const Case cases[] = {
        {"41 00", "A", ""},      {"41 00", "1", " 0008"}, {"43 00", "-", ""}, {"45 00", "+", " 0010"},
        {"46 00", "A", " 0004"}, {"47 00", "1", ""},      {"40 00", "#", ""},
    };
    for (const Case& c : cases) {
        Start(t5250::kModel3179);
        Host(FieldScreen(c.ffw));
        Type(c.typed);
        EXPECT_EQ(Row(23), c.row24) << c.ffw << " " << c.typed;
    }
}

TEST_F(Keyboard5250Test, FieldExitRightAdjustsWithZeros)
{
    Host(FieldScreen("43 05"));
    Type("12");
    Key(t5250::kReturn);
    EXPECT_EQ(FieldBytes(2, 5), "F0 F0 F0 F1 F2");
    Key(t5250::kKeypadEnter);
    EXPECT_EQ(Sent(), "00 15 12 A0 00 00 04 00 00 03 01 02 F1 11 01 02 F0 F0 F0 F1 F2 FF EF");
}

TEST_F(Keyboard5250Test, FieldMinusInANumericOnlyFieldThatWantsAnExitKey)
{
    Host(FieldScreen("43 40"));
    Type("12345");
    EXPECT_EQ(Cursor(), "1/6");  // the last position waits for a field-exit key
    Key(t5250::kKeypadMinus);
    EXPECT_EQ(FieldBytes(2, 5), "F1 F2 F3 F4 D5");
    Key(t5250::kKeypadEnter);
    EXPECT_EQ(Sent(), "00 15 12 A0 00 00 04 00 00 03 01 02 F1 11 01 02 F1 F2 F3 F4 D5 FF EF");
}

TEST_F(Keyboard5250Test, SignedNumericSendsItsSignInTheLastDigit)
{
    Host(FieldScreen("47 00"));
    Type("42");
    Key(t5250::kKeypadMinus);
    EXPECT_EQ(FieldBytes(2, 5), "40 40 F4 F2 60");
    Key(t5250::kKeypadEnter);
    EXPECT_EQ(Sent(), "00 14 12 A0 00 00 04 00 00 03 01 02 F1 11 01 02 40 40 F4 D2 FF EF");
}

TEST_F(Keyboard5250Test, ShiftedKeysSendTheirAidsAndAttention)
{
    Host(FieldScreen("40 00"));
    Key(t5250::kF1, t5250::kShift);
    EXPECT_EQ(Sent(), "00 0D 12 A0 00 00 04 00 00 03 01 02 B1 FF EF");
    Host(Record("04 11 00 08 04 52 00 00"));
    Key(t5250::kEsc, t5250::kShift);
    EXPECT_EQ(Sent(), "00 0A 12 A0 00 00 04 40 00 00 FF EF");
}

TEST_F(Keyboard5250Test, AnAidBeforeTheInviteGoesOnceAfterTheNextPutGet)
{
    // Output only: the keys wait for the invite. The header's switch byte 7 bit 0x04
    // sends F3 without field data.
    Host(Record("04 40 04 11 00 08 01 07 00 00 00 00 00 00 04 11 01 01 1D 40 00 20 00 05", 2));
    Type("X");
    QueueKey(t5250::kF3);
    Pump();
    EXPECT_EQ(Sent(), "");
    Host(Record("04 52 00 00"));
    Pump();
    EXPECT_EQ(Sent(), "00 0D 12 A0 00 00 04 00 00 03 01 03 33 FF EF");
    Host(Record("04 52 00 00"));
    Pump();
    EXPECT_EQ(Sent(), "");
}

TEST_F(Keyboard5250Test, KeysWaitForTheUnlockDelay)
{
    configure = [](I5250Settings& c) { c.kbUnlock = 2; };
    Start(t5250::kModel3179);
    Host(FieldScreen("40 00"));
    QueueInputEvent(1, 'A', 0);
    Pump();
    EXPECT_EQ(FieldBytes(2, 1), "00");  // the unlocking write only started the delay
    doubles::IbmHost().ticks += 1999;
    EXPECT_FALSE(I5250UnlockTimerDue(&s));
    doubles::IbmHost().ticks += 1;
    ASSERT_TRUE(I5250UnlockTimerDue(&s));
    I5250SetInhibitNow(&s, 0);
    Pump();
    EXPECT_EQ(FieldBytes(2, 1), "C1");
}

TEST_F(Keyboard5250Test, ResequencedFieldsNamingEachOtherAreReadOnce)
{
    // Header resequence start 1; field 1 names 2 and field 2 names 1.
    Host(Record("04 40 04 11 00 08 01 03 00 00 01 11 01 01 1D 48 00 80 02 20 00 02 11 01 05 1D 48 00 80 01 20 00 "
                "02 04 42 00 00"));
    Key(t5250::kKeypadEnter);
    EXPECT_EQ(Sent(), "00 11 12 A0 00 00 04 00 00 03 01 02 F1 40 40 40 40 FF EF");
}
