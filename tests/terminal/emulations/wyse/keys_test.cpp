// The Wyse keyboard: keys taken in the family's own fetch become the sequences of the
// personality, application codes, user definitions and local commands.
#include <gtest/gtest.h>

#include <string>

#include "support/doubles_network.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/wyse/keys/wysekeys.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/hotspots/hotspotwords.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/input/macros/keynames.h"
#include "wyse_fixture.h"

namespace {

class Keys : public WyseTest {
protected:
    // What one key with its shift state sends.
    std::string Press(int code, int shift = 0)
    {
        QueueInputEvent(3, static_cast<u16>(code), static_cast<u16>(shift));
        return Answer("");
    }
};

TEST_F(Keys, Wy60KeysAsItsTerminfoEntryNamesThem)
{
    Start(kEmuWy60);
    for (int f = 0; f < 12; ++f)
        EXPECT_EQ(Press(68 + f), std::string("\x01") + static_cast<char>('@' + f) + "\r") << "F" << f + 1;
    for (int f = 2; f < 6; ++f)  // Alt+F3-F6 are F13-F16
        EXPECT_EQ(Press(68 + f, 4), std::string("\x01") + static_cast<char>('@' + 10 + f) + "\r");
    const struct {
        int code;
        const char* sends;
    } keys[] = {
        {kKeyUp, "\x0b"}, {kKeyDown, "\n"}, {kKeyLeft, "\b"}, {kKeyRight, "\x0c"},        {84, "\x1e"},
        {86, "\x1bW"},    {85, "\x1bJ"},    {88, "\x1bK"},    {kKeyPrintScreen, "\x1bP"}, {kKeyBackspace, "\b"},
        {kKeyTab, "\t"},
    };
    for (const auto& k : keys)
        EXPECT_EQ(Press(k.code), k.sends) << k.code;
    // Return with "CR=CR/NULL", as telnet wants a lone CR sent.
    EXPECT_EQ(Press(kKeyReturn), std::string("\r\0", 2));
    WySet.crNull = 0;
    EXPECT_EQ(Press(kKeyReturn), "\r");
}

// The key captions hot spots know and the key names the macro editor lists come from the
// family; only the Wyse models of the eight have function-key captions.
TEST_F(Keys, HotSpotWordsAndMacroKeyNamesOfThePersonalities)
{
    auto ascii = [](const wchar16* text) {
        std::string out;
        for (; text && *text; ++text)
            out += static_cast<char>(*text);
        return out;
    };
    auto lookup = [&](u8 emulation, const wchar16* word) {
        const int length = static_cast<int>(std::char_traits<wchar16>::length(word));
        return ascii(LookupHotspotDefault(EmulationHotspotTable(emulation), word, length));
    };
    EXPECT_EQ(lookup(kEmuWy50, VXT("SEND")), "<WY_SEND>");
    EXPECT_EQ(lookup(kEmuWy60, VXT("f16")), "<WY_F16>");
    EXPECT_EQ(EmulationHotspotTable(kEmuTvi925), nullptr);
    EXPECT_EQ(EmulationHotspotTable(kEmuHz1500), nullptr);
    auto name = [&](u32 id) { return ascii(KeyNameAt(static_cast<int>(id - kFirstKeyNameId))); };
    EXPECT_EQ(name(kWyseFirstKeyName), "WY_F1");
    EXPECT_EQ(name(kWyseLastKeyName), "WY_DELETEWORD");
    EXPECT_NE(name(kWyseLastKeyName + 1).rfind("WY_", 0), 0u);
}

TEST_F(Keys, ApplicationKeysSendSingleCodes)
{
    Start(kEmuWy60);
    Feed(E("~3"));
    EXPECT_EQ(Press(68), "\x80");
    EXPECT_EQ(Press(kKeyUp), "\xd3");
}

TEST_F(Keys, HostDefinedKeysAndTheirReport)
{
    Start(kEmuWy60);
    Feed(E("Z1@") + "ls\r\x7f");  // tput -T wy60 pfx 1 "ls^M"
    EXPECT_EQ(Press(68), "ls\r");
    EXPECT_EQ(Answer(E("Z~@")), "1@ls\r\x7f");
    EXPECT_EQ(Answer(E("Z~A")), "1A\x7f");  // a key without a definition
    Feed(E("Z1@") + "\x7f");                // an empty text removes it
    EXPECT_EQ(Press(68), "\x01@\r");
}

TEST_F(Keys, PersonalitiesSendTheirOwnEditingKeys)
{
    const struct {
        u8 id;
        int code;
        const char* sends;
    } cases[] = {
        {kEmuAddsA2, kKeyUp, "\x1a"}, {kEmuAddsA2, kKeyRight, "\x06"}, {kEmuHz1500, kKeyUp, "~\x0c"},
        {kEmuHz1500, 84, "~\x12"},    {kEmuTvi925, kKeyDown, "\x16"},  {kEmuAddsA2, 88, "\x1bJ"},
    };
    for (const auto& c : cases) {
        Start(c.id);
        EXPECT_EQ(Press(c.code), c.sends) << int(c.id) << " key " << c.code;
        LeaveWyse();
    }
}

TEST_F(Keys, AltKeypadZeroIsInsertShiftedAndShiftInvertsIt)
{
    Start(kEmuWy50);
    EXPECT_EQ(Press(kKeyPad0, 4), "\x1br");
    EXPECT_EQ(Press(kKeyPad0, 5), "\x1bq");
}

TEST_F(Keys, LockedKeyboardDropsKeysWithTheBell)
{
    Start(kEmuWy50);
    Feed(E("#"));
    BellPending = 0;
    EXPECT_EQ(Press(68), "");
    EXPECT_EQ(BellPending, 1);
    Feed(E("\""));
    EXPECT_EQ(Press(68), "\x01@\r");
}

TEST_F(Keys, CtrlRightCyclesTheStatusLine)
{
    Start(kEmuWy50);
    WySet.stat = 0;
    Press(kKeyRight, 2);
    EXPECT_EQ(WySet.stat, 1);
    Press(kKeyRight, 2);
    Press(kKeyRight, 2);
    EXPECT_EQ(WySet.stat, 0);
}

TEST_F(Keys, LocalEditActsOnTheScreen)
{
    Start(kEmuWy50);
    Feed("one" + E("k"));
    EXPECT_EQ(Press(83, 2), "");  // Ctrl+Insert: insert a line here
    EXPECT_EQ(Text(0), "");
    EXPECT_EQ(Text(1), "one");
}

TEST_F(Keys, TypedCharactersInBlockModeStayOnTheScreen)
{
    Start(kEmuWy50);
    Feed(E("B"));
    Type("ab");
    EXPECT_EQ(Answer(""), "");
    EXPECT_EQ(Text(0), "ab");
    Feed(E("C"));
    Type("c");
    EXPECT_EQ(Answer(""), "c");
}

}  // namespace
