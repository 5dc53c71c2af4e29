// The operator's keys: typing into fields and the refusals, navigation, erasing, and the
// AID keys with the keyboard lock and its unlock delay.
#include "session3270_fixture.h"

#include "terminal/core/screen/paintsettings.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"
#include "terminal/input/keyboard/keycodes.h"

namespace {
// Protected "NAME:" (0-5), unprotected input 7-12, a numeric field at 14-17, an
// auto-skip attribute at 18, an unprotected field 20-24, a protected rest.
constexpr const char* kForm =
    "00 00 00 00 01 F5 C3 1D 60 D5 C1 D4 C5 7A 1D 40 13 11 40 CD 1D 50 11 40 D2 1D 70 11 40 D3 1D 40 "
    "11 40 D9 1D 60";
constexpr int kNameInput = 7, kNumeric = 14, kAfterSkip = 20;
}  // namespace

class Keyboard3270Test : public Session3270Test {
protected:
    void SetUp() override
    {
        Session3270Test::SetUp();
        Start(t3270::kModel3279_2, {});
        Host(kForm);
        Sent();
    }
    u8 Cell(int a) const { return s.cells[static_cast<std::size_t>(a)].character; }
};

TEST_F(Keyboard3270Test, TypingFollowsTheFieldRules)
{
    EXPECT_EQ(s.cursor, kNameInput);
    Type("AB");
    EXPECT_EQ(Row(0), " NAME: AB");
    EXPECT_TRUE(s.cells[6].flags & kCellModified);

    s.cursor = 2;  // protected
    Type("X");
    EXPECT_EQ(Row(0), " NAME: AB");
    EXPECT_EQ(s.operatorError, kOperatorProtected);
    EXPECT_TRUE(I3270InputInhibited(&s));
    I3270KeyReset(&s);
    EXPECT_FALSE(I3270InputInhibited(&s));

    s.cursor = kNumeric;
    Type("A");
    EXPECT_EQ(s.operatorError, kOperatorNumeric);
    I3270KeyReset(&s);
    Type("1234");  // the field's last position, then over the auto-skip attribute
    EXPECT_EQ(s.cursor, kAfterSkip);
}

TEST_F(Keyboard3270Test, InsertShiftsUntilTheFieldIsFull)
{
    Type("ABCDE");
    s.cursor = kNameInput;
    I3270InsertOn(&s);
    Type("X");
    EXPECT_EQ(Row(0), " NAME: XABCDE");
    Type("Y");
    EXPECT_EQ(s.operatorError, kOperatorNoRoom);
    EXPECT_EQ(Row(0), " NAME: XABCDE");
}

TEST_F(Keyboard3270Test, NavigationAndErasing)
{
    struct Step {
        const char* name;
        void (*key)(I3270Session*);
        int cursor;
    } const steps[] = {
        {"tab", I3270Tab, kNumeric},
        {"tab again", I3270Tab, kAfterSkip},
        {"tab wraps", I3270Tab, kNameInput},
        {"back tab wraps", I3270BackTab, kAfterSkip},
        {"home", I3270Home, kNameInput},
        {"left", I3270CursorLeft, 6},
        // On an input field's own attribute, Tab goes into that field (as the PT order does).
        {"tab from the field's attribute", I3270Tab, kNameInput},
        {"left again", I3270CursorLeft, 6},
        {"up wraps", I3270CursorUp, 1846},
        {"down wraps", I3270CursorDown, 6},
        {"new line", I3270NewLine, kNameInput},
    };
    for (const Step& st : steps) {
        st.key(&s);
        EXPECT_EQ(s.cursor, st.cursor) << st.name;
    }
    Type("ABCDE");
    s.cursor = kNameInput + 1;
    I3270DeleteCharacter(&s);
    EXPECT_EQ(Row(0), " NAME: ACDE");
    I3270EraseEof(&s);
    EXPECT_EQ(Row(0), " NAME: A");
    s.cursor = kNameInput;
    I3270EraseInput(&s);
    EXPECT_EQ(Row(0), " NAME:");
    EXPECT_EQ(s.cursor, kNameInput);
}

TEST_F(Keyboard3270Test, TabWithoutInputFieldsGoesHome)
{
    Host("00 00 00 00 02 F5 C3 1D 60 C1 11 40 D4 13");
    I3270Tab(&s);
    EXPECT_EQ(s.cursor, 0);
}

TEST_F(Keyboard3270Test, AidKeysAndTheKeyboardLock)
{
    struct Key {
        int code;
        u32 shift;
        const char* record;
    } const keys[] = {
        {77, kShiftBit, "00 00 00 00 00 4A 40 C7 FF EF"},  // Shift+F10: PF22
        {68, kShiftBit, "00 00 00 00 00 C1 40 C7 FF EF"},  // Shift+F1: PF13
        {85, 0, "00 00 00 00 00 6C FF EF"},                // Page Up: PA1, short read
        {85, kShiftBit, "00 00 00 00 00 6B FF EF"},        // Shift+Page Up: PA3
        {139, 0, "00 00 00 00 00 6D FF EF"},               // Clear
    };
    for (const Key& k : keys) {
        SetUp();
        I3270KeyFunction(&s, k.code, k.shift);
        EXPECT_EQ(Sent(), k.record) << k.code;
        EXPECT_TRUE(I3270InputInhibited(&s)) << k.code;
        I3270KeyFunction(&s, 68, 0);  // waits while the keyboard is locked
        EXPECT_EQ(Sent(), "") << k.code;
        EXPECT_EQ(DeferredKeyCount(), 1) << k.code;
        ClearDeferredKeys();
    }
}

TEST_F(Keyboard3270Test, TheUnlockDelayCountsSeconds)
{
    configure = [](I3270Settings& c) { c.kbUnlock = 2; };
    Start(t3270::kModel3279_2, {});
    Host(kForm);
    EXPECT_TRUE(I3270InputInhibited(&s));
    EXPECT_FALSE(I3270UnlockTimerDue(&s));
    doubles::IbmHost().ticks += 1998;
    EXPECT_FALSE(I3270UnlockTimerDue(&s));
    doubles::IbmHost().ticks += 2;
    EXPECT_TRUE(I3270UnlockTimerDue(&s));
    I3270UnlockKeyboardNow(&s);
    EXPECT_FALSE(I3270InputInhibited(&s));
}

TEST_F(Keyboard3270Test, CursorSelectByDesignator)
{
    // Detectable fields: designator '?' then '&' then a blank.
    Host("00 00 00 00 02 F5 C3 1D E4 6F C1 1D E4 50 C2 1D E4 40 C3 1D 60");
    s.cursor = 1;
    I3270CursorSelect(&s);
    EXPECT_EQ(Cell(1), 0x6E);
    EXPECT_TRUE(s.cells[0].flags & kCellModified);
    s.cursor = 4;
    I3270CursorSelect(&s);
    EXPECT_EQ(Sent().substr(0, 17), "00 00 00 00 00 7D");
    I3270KeyReset(&s);
    s.cursor = 7;
    I3270CursorSelect(&s);
    EXPECT_EQ(Sent().substr(0, 17), "00 00 00 00 00 7E");
}

TEST_F(Keyboard3270Test, RightToLeftKeysKeepTheBufferTheHostSees)
{
    const std::string readModified = "00 00 00 00 02 F6";
    I3270KeyFunction(&s, 94, kShiftBit);  // reverse input: entry starts at the field's end
    EXPECT_EQ(s.cursor, 12);
    Type("AB");
    EXPECT_EQ(Row(0), " NAME:     BA");
    EXPECT_EQ(s.cursor, 10);
    Host(readModified);
    const std::string before = Sent().substr(15);
    EXPECT_EQ(before, "60 40 4A 11 40 C7 C2 C1 FF EF");

    I3270KeyFunction(&s, 112, kShiftBit);  // reverse screen
    EXPECT_EQ(Row(0), std::string(67, ' ') + "AB     :EMAN");
    EXPECT_EQ(s.cursor, 69);
    EXPECT_TRUE(s.direction & 0x04);
    EXPECT_EQ(s.rows[0].cells[78].character, 0xD5);  // the painted row turned too
    Host(readModified);
    EXPECT_EQ(Sent().substr(15), before);

    I3270KeyFunction(&s, 112, kShiftBit);
    EXPECT_EQ(Row(0), " NAME:     BA");
    EXPECT_EQ(s.cursor, 10);
    EXPECT_EQ(s.direction & 0x06, 0);

    s.direction = 0x09;                   // reversed input on a normal screen
    I3270KeyFunction(&s, 95, kShiftBit);  // the cursor line follows the screen: normal
    EXPECT_EQ(s.direction & 0x0B, 0);
    EXPECT_EQ(s.cursor, kNameInput);
}

TEST_F(Keyboard3270Test, MonoCaseAndCursorStyleKeys)
{
    I3270KeyFunction(&s, 71, kCtrlBit);  // Ctrl+F4: mono case
    Type("ab");
    I3270KeyFunction(&s, 71, kCtrlBit);
    Type("c");
    EXPECT_EQ(Row(0), " NAME: ABc");

    PaintSettings.cursorStyle = 1;
    I3270KeyFunction(&s, 77, kCtrlBit | kShiftBit);  // steady
    EXPECT_EQ(PaintSettings.cursorStyle.load(), 3);
    I3270KeyFunction(&s, 78, kCtrlBit | kShiftBit);  // underline
    EXPECT_EQ(PaintSettings.cursorStyle.load(), 2);
    PaintSettings.cursorStyle = 1;
}
