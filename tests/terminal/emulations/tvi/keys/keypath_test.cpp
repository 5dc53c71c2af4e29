// The TVI keyboard on the whole host path: what each key sends (the keys a tvi950
// description names, byte for byte), the keys the host loads and runs, and the editing
// keys acting on the screen instead of the line.
#include <gtest/gtest.h>

#include "../tvi_fixture.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"

namespace {

constexpr int kNone = 0, kShift = 1, kCtrl = 2, kCtrlShift = 3, kAlt = 4;

class TviKeys : public TviTest {
protected:
    // A special key with its shift state, run as the reader runs it.
    void Key(int keyCode, int shift = kNone)
    {
        QueueInputEvent(3, static_cast<u16>(keyCode), static_cast<u16>(shift));
        Feed("");
    }
    std::string Sends(int keyCode, int shift = kNone)
    {
        TakeSent();
        Key(keyCode, shift);
        return TakeSent();
    }
};

TEST_F(TviKeys, KeysSendWhatTheTerminalsDescriptionSays)
{
    struct Case {
        int code, shift;
        const char* sends;
    };
    // clang-format off
    const Case cases[] = {
        {kKeyF1, kNone, "\x01@\r"},   {kKeyF1, kShift, "\x01`\r"},   {kKeyF1, kCtrl, "\x01J\r"},
        {kKeyF11, kNone, "\x01J\r"},  {kKeyF12, kShift, "\x01k\r"},   {kKeyF6, kCtrlShift, "\x01o\r"},
        {kKeyUp, kNone, "\x0b"},      {kKeyDown, kNone, "\x16"},     {kKeyLeft, kNone, "\x08"},
        {kKeyRight, kNone, "\x0c"},   {83, kNone, "\x1bQ"},          {86, kNone, "\x1bW"},
        {83, kShift, "\x1b" "E"},     {86, kShift, "\x1bR"},         {84, kNone, "\x1e"},
        {kKeyTab, kShift, "\x1bI"},   {kKeyPad0 + 7, kNone, "7"},    {kKeyPad0 + 7, kCtrl, "\x01" "7\r"},
        {kKeyPad0 + 2, kCtrlShift, "\x01@\r"}, {kKeyPadPlus, kAlt, "\x01+\r"},
        {kKeyBackspace, kCtrl, "\x7f"}, {kKeyReturn, kCtrl, "\n"},   {kKeyEscape, kNone, "\x1b"},
        // Keys and shift states the map leaves out send nothing.
        {kKeyF1, kAlt, ""},           {kKeyUp, kShift, ""},          {kKeyF1 + 6, kCtrl, ""},
        {93, kNone, ""},              {kKeyF1, 5, ""},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(Sends(c.code, c.shift), c.sends) << c.code << " shift " << c.shift;
    // The host decides whether Esc sends anything (CSI = 12 l) and whether Down sends LF.
    Feed(kEsc + "[=12l" + kEsc + "[=9h");
    EXPECT_EQ(Sends(kKeyEscape), "");
    EXPECT_EQ(Sends(kKeyDown), "\n");
}

TEST_F(TviKeys, LocalEditingKeysMoveTheCursorAndSendNothing)
{
    Feed(kEsc + "=%0" + kEsc + "k");
    TakeSent();
    Key(kKeyUp);
    Key(kKeyLeft);
    Key(kKeyLeft);
    EXPECT_EQ(TakeSent(), "");
    EXPECT_EQ(Tvi.cursorRow, 4);
    EXPECT_EQ(Tvi.cursorColumn, 14);
    Key(kKeyDown);
    Key(kKeyRight);
    EXPECT_EQ(Tvi.cursorRow, 5);
    EXPECT_EQ(Tvi.cursorColumn, 15);
    Feed(kEsc + "l");
    EXPECT_EQ(Sends(kKeyUp), "\x0b");
    EXPECT_EQ(Tvi.cursorRow, 5) << "sent, not acted on";
}

TEST_F(TviKeys, TheHostLoadsAndRunsFunctionKeys)
{
    Feed(kEsc + "|11ABC\x19");
    EXPECT_EQ(Sends(kKeyF1), "ABC");
    EXPECT_EQ(Line(0), "") << "direction 1 only sends";
    // Direction 3 also shows the text as if it had been received.
    Feed(kEsc + "|13AB" + kEsc + "=!!C\x19");
    EXPECT_EQ(Sends(kKeyF1), "AB\x1b=!!C");
    EXPECT_EQ(Line(0), "AB");
    EXPECT_EQ(Line(1), " C") << "a sequence in the text is carried out whole";
    // Direction 2 only shows; the host runs keys itself (CSI n |) and picks the bank.
    Feed(kEsc + "|22xy\x19");
    EXPECT_EQ(Sends(kKeyF1 + 1), "");
    TakeSent();
    Feed(kEsc + "[0|");
    EXPECT_EQ(TakeSent(), "AB\x1b=!!C");
    Feed(kEsc + "[7;1v");
    EXPECT_EQ(Sends(kKeyF1), "\x01P\r");
    // The TVI 950 numbers its keys its own way: ";" is key 10, Ctrl+F1.
    TearDown();
    Start(kEmu950);
    Feed(kEsc + "|;1Q\x19");
    EXPECT_EQ(Sends(kKeyF1, kCtrl), "Q");
    // Factory keys come back with ESC ~ 2.
    Feed(kEsc + "~2");
    EXPECT_EQ(Sends(kKeyF1, kCtrl), "\x01J\r");
}

TEST_F(TviKeys, HostLoadedEditingKeysAndTheirSecondSet)
{
    Feed(kEsc + "0Bxyz");
    EXPECT_EQ(Sends(kKeyUp), "xyz");
    // Clearing option bit 4 gives the other factory set.
    Feed(kEsc + "~&10");
    EXPECT_EQ(Sends(kKeyUp), "\x10");
    EXPECT_EQ(Sends(84, kShift), "\x1b[H");
}

TEST_F(TviKeys, CtrlUpAndDownInsertAndDeleteLinesAtOnce)
{
    Feed("one\r\ntwo" + kEsc + "=  ");
    Key(kKeyUp, kCtrl);
    EXPECT_EQ(Line(0), "");
    EXPECT_EQ(Line(1), "one");
    Key(kKeyDown, kCtrl);
    EXPECT_EQ(Line(0), "one");
    EXPECT_EQ(Line(1), "two");
    EXPECT_EQ(TakeSent(), "");
}

}  // namespace
