// The HP 700/92's keyboard on the whole host path: the three ways of an editing key,
// the soft-key menus with their marks, the user keys, the notice and the self test.
#include "hp700_fixture.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/menus/menus.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"

namespace {

constexpr int kShift = 1, kCtrl = 2;
const std::string kDc1 = "\x11";

class Hp700Keys : public Hp700Test {
protected:
    void Key(int keyCode, int shift = 0)
    {
        QueueInputEvent(3, static_cast<u16>(keyCode), static_cast<u16>(shift));
        Feed("");
    }
    std::string Sends(int keyCode, int shift = 0)
    {
        TakeSent();
        Key(keyCode, shift);
        return TakeSent();
    }
    static std::string LabelLine(int which)
    {
        const HpLine* line = Hp700MenuLabelLine(which);
        std::string s;
        for (int c = 0; line && c < 80; ++c)
            s.push_back(line->cells[c].ch == 0 ? ' ' : static_cast<char>(line->cells[c].ch));
        return s;
    }
    static bool Bell() { return BellPending.exchange(0) != 0; }
};

TEST_F(Hp700Keys, TransmittedFunctionsSendTheTerminfoStrings)
{
    struct Case {
        int code, shift;
        const char* sends;
    };
    // clang-format off
    const Case cases[] = {
        {kKeyUp, 0, "\x1b" "A"},  {kKeyDown, 0, "\x1b" "B"}, {kKeyRight, 0, "\x1b" "C"},
        {kKeyLeft, 0, "\x1b" "D"}, {84, 0, "\x1bh"},          {88, 0, "\x1bU"},
        {85, 0, "\x1bV"},         {83, 0, "\x1bQ"},          {86, 0, "\x1bP"},
        {kKeyF1, kShift, "\x1bL"}, {kKeyF1 + 1, kShift, "\x1bM"}, {kKeyF1 + 2, kShift, "\x1bK"},
        {kKeyF1 + 3, kCtrl, "\x1bJ"}, {kKeyUp, kShift, "\x1bS"}, {kKeyDown, kShift, "\x1bT"},
        {kKeyTab, kShift, "\x1bi"}, {87, 0, "\x1b" "F"},     {86, kCtrl, "\x1bO"},
    };
    // clang-format on
    Feed(Esc("&s1A"));
    for (const Case& c : cases)
        EXPECT_EQ(Sends(c.code, c.shift), c.sends) << c.code << " shift " << c.shift;
}

TEST_F(Hp700Keys, WithoutTransmittedFunctionsKeysActHere)
{
    Feed(Esc("&a5y10C"));
    EXPECT_EQ(Sends(kKeyUp), "");
    EXPECT_EQ(Hp700CursorScreenRow(), 4);
    EXPECT_EQ(Sends(kKeyRight), "");
    EXPECT_EQ(Hp700.cursorColumn, 11);
    Key(83);
    EXPECT_EQ(Hp700.insertMode, 1) << "Insert Char toggles insert mode";
    Key(83);
    EXPECT_EQ(Hp700.insertMode, 0);
    // In local mode with the functions transmitted the sequence goes through the parser.
    Feed(Esc("&s1A") + Esc("&k0R"));
    Key(kKeyDown);
    EXPECT_EQ(TakeSent(), "");
    EXPECT_EQ(Hp700CursorScreenRow(), 5);
}

TEST_F(Hp700Keys, ReturnSendsItsDefinition)
{
    EXPECT_EQ(Sends(kKeyReturn), "\r");
    Feed(Esc("&k1A"));
    EXPECT_EQ(Sends(kKeyReturn), "\r\n") << "CR and a blank with Auto LF";
}

TEST_F(Hp700Keys, LockedKeyboardRingsButResetActs)
{
    Feed(Esc("c"));
    BellPending = 0;
    Feed(Esc("&s1A"));
    EXPECT_EQ(Sends(kKeyUp), "");
    EXPECT_TRUE(Bell());
    EXPECT_EQ(Sends(kKeyF1 + 11), "");
    EXPECT_EQ(Hp700.lastColumn, 79) << "80/132 is refused";
    Type("x");
    Feed("");
    EXPECT_EQ(TakeSent(), "");
    EXPECT_TRUE(Bell());
    Key(kKeyF1 + 6, kShift);  // Reset
    EXPECT_FALSE(Hp700.keyboardLocked);
    EXPECT_EQ(Sends(kKeyUp), "\x1b"
                             "A");
}

TEST_F(Hp700Keys, UserKeysMenuSendsTheDefaultStrings)
{
    Feed(Esc("&jB"));
    EXPECT_EQ(Hp700.menu, kHpMenuUserKeys);
    EXPECT_EQ(Sends(kKeyF1), "") << "the key waits for DC1";
    Feed(kDc1);
    EXPECT_EQ(TakeSent(), "\x1bp\r");
}

TEST_F(Hp700Keys, HostDefinedUserKeyShowsItsLabelAndSendsItsString)
{
    Feed(Esc("&jB") + Esc("&f2k4d3L") + "ABCDxyz");
    EXPECT_EQ(LabelLine(0).substr(9, 8), "ABCD    ");
    EXPECT_EQ(ScreenRow(0), "") << "label and string are not displayed";
    Key(kKeyF1 + 1);
    Feed(kDc1);
    EXPECT_EQ(TakeSent(), "xyz") << "attribute N sends no terminator";
    // A T key adds the terminator; an L key runs here as received.
    Feed(Esc("&f2a3k1LZ") + Esc("&f1a4k5L") + "hello");
    Key(kKeyF1 + 2);
    Feed(kDc1);
    EXPECT_EQ(TakeSent(), "Z\r");
    Key(kKeyF1 + 3);
    Feed("");
    EXPECT_EQ(TakeSent(), "");
    EXPECT_EQ(ScreenRow(0), "hello");
}

TEST_F(Hp700Keys, ImpossibleDefinitionsChangeNothing)
{
    Feed(Esc("&f9k3L") + "abc");
    EXPECT_EQ(ScreenRow(0), "abc") << "the announced characters are data";
    Feed(Esc("&f1k200L") + std::string(80, 'q') + "rest");
    EXPECT_EQ(ScreenRow(0), "abcrest");
    Feed(Esc("&f0B") + Esc("&f1k1Lw") + Esc("&f1B") + Esc("&jB"));
    Key(kKeyF1);
    Feed(kDc1);
    EXPECT_EQ(TakeSent(), std::string(80, 'q')) << "the backup restores the definition";
}

TEST_F(Hp700Keys, DefinitionScreenSendsTheKeys)
{
    Feed(Esc("&f2k4d3L") + "ABCDxyz" + Esc("j"));
    EXPECT_EQ(Hp700.menu, kHpMenuConfig);
    EXPECT_EQ(ScreenRow(2), "f2 N  LABEL ABCD");
    EXPECT_EQ(ScreenRow(3), "xyz");
    TakeSent();
    Key(kKeyPadEnter);
    Feed(kDc1);
    const std::string sent = TakeSent();
    const std::string first = Esc("&f2a1k16d002L") + "   f1           " + "\x1bp\r\n";
    EXPECT_EQ(sent.substr(0, first.size()), first);
    EXPECT_NE(sent.find(Esc("&f0a2k16d003LABCD            xyz\r\n")), std::string::npos);
    EXPECT_EQ(sent.back(), '\x1e');
    // Leaving gives the window back.
    Key(kKeyF1 + 8);
    EXPECT_EQ(Hp700.menu, kHpMenuMain);
    EXPECT_EQ(ScreenRow(2), "");
}

TEST_F(Hp700Keys, ModesMenuMarksItsStates)
{
    EXPECT_EQ(Hp700.menu, kHpMenuModes);
    EXPECT_EQ(LabelLine(0).substr(18, 8), " Block  ");
    Key(kKeyF1 + 2);
    EXPECT_TRUE(Hp700.settings.blockmode);
    EXPECT_EQ(LabelLine(0)[25], '*');
    Feed(Esc("^") + kDc1);
    EXPECT_EQ(TakeSent().substr(0, 6), Esc("\\800:"));
    Feed(Esc("&k0B"));
    EXPECT_EQ(LabelLine(0)[25], ' ') << "a host's change shows too";
    // Remote Mode off puts the terminal in local mode.
    Key(kKeyF1 + 3);
    EXPECT_EQ(LocalMode.load(), 1u);
}

TEST_F(Hp700Keys, ConfigurationLockShowsTheNoticeUntilReturn)
{
    Feed(Esc("&q1L"));
    Key(kKeyF1 + 2);
    EXPECT_FALSE(Hp700.settings.blockmode);
    EXPECT_EQ(ScreenRow(24), "Function Locked");
    EXPECT_EQ(ScreenRow(25), "Press ENTER to clear");
    BellPending = 0;
    Type("a");
    Feed("");
    EXPECT_TRUE(Bell());
    EXPECT_EQ(ScreenRow(0), "");
    Key(kKeyReturn);
    EXPECT_EQ(Hp700.menu, kHpMenuModes);
    EXPECT_EQ(TakeSent(), "") << "the Return that clears it sends nothing";
}

TEST_F(Hp700Keys, LabelLockKeepsTheMenus)
{
    Feed(Esc("&jS"));
    Key(kKeyF1 + 8);  // Menu
    EXPECT_EQ(Hp700.menu, kHpMenuModes);
    Feed(Esc("&jR"));
    Key(kKeyF1 + 8);
    EXPECT_EQ(Hp700.menu, kHpMenuMain);
    Key(kKeyF1 + 1);  // Margins/Tabs/Col
    EXPECT_EQ(Hp700.menu, kHpMenuMargins);
    Feed(Esc("&a20C"));
    Key(kKeyF1 + 1);  // Set Tab
    EXPECT_EQ(Hp700.tabs[20], 1);
}

TEST_F(Hp700Keys, SelfTestWritesItsPatternAndStatus)
{
    Feed(Esc("z"));
    EXPECT_TRUE(Hp700.selfTestRan);
    EXPECT_EQ(ScreenRow(6).substr(0, 16), "@ABCDEFGHIJKLMNO");
    EXPECT_EQ(ScreenRow(6).substr(18, 7), "8008020");
    EXPECT_EQ(Hp700.menu, kHpMenuModes);
    Feed(Esc("^") + kDc1);
    EXPECT_EQ(TakeSent(), Esc("\\8008020\r"));
    // Nothing on the definition screen.
    Feed(Esc("j"));
    const std::string row0 = ScreenRow(0);
    Hp700.selfTestRan = false;
    Feed(Esc("z"));
    EXPECT_FALSE(Hp700.selfTestRan);
}

TEST_F(Hp700Keys, TypeaheadHoldsTypedCharactersUntilThePrompt)
{
    Hp700.settings.typeahead = 1;
    Feed(Esc("^"));
    EXPECT_TRUE(Hp700.keyboardHeld);
    Type("ab");
    Feed("");
    EXPECT_EQ(TakeSent(), "");
    // The DC1 that takes the reply is also the prompt: the keyboard goes on after it.
    Feed(kDc1);
    Feed("");
    EXPECT_EQ(TakeSent(), Esc("\\8008000\r") + "ab");
    EXPECT_FALSE(Hp700.keyboardHeld);
}

}  // namespace
