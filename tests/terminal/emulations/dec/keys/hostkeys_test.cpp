// Keys and macros the host programs: DECUDK in both forms, ESC ! and ESC @, the PC key
// programming of the VT510 class, and DECDMAC / DECINVM with the memory they share.
#include <gtest/gtest.h>

#include <string>

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/emulations/dec/keys/keysequences.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/dec/vt_fixture.h"

namespace {

const std::string kDcs = "\x1bP";
const std::string kSt = "\x1b\\";

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : bytes) {
        hex.push_back(digits[c >> 4]);
        hex.push_back(digits[c & 15]);
    }
    return hex;
}

std::string EntryText(int entry)
{
    const KeySequenceEntry& key = KeySequenceTable.keys[entry];
    std::string text;
    for (int i = 0; i < key.length; ++i)
        text.push_back(static_cast<char>(key.text[i]));
    return text;
}

struct Definition {
    bool exists;
    std::string text;
    u32 sendType;
    TextOrigin origin;
};

Definition DefinitionOf(u32 key, u32 shift)
{
    KeyDefinitionsLock locked;
    const KeyDefinition* d = FindKeyDefinition(key, kKeyMacro, static_cast<i32>(shift));
    if (!d)
        return {false, "", 0, TextOrigin::User};
    std::string text;
    for (u32 i = 0; i < d->length; ++i)
        text.push_back(static_cast<char>(d->text[i]));
    return {true, text, d->SendType(), d->origin};
}

using HostKeys = VtTest;

TEST_F(HostKeys, DecudkDefinesLocksAndIsRefusedWhileLocked)
{
    // Key 17 is the shifted F6 (entry 25); the unknown selector 99 is passed over up to
    // its ';' without touching the others.
    Feed(kDcs + "0;1|17/414243;99/5A5A;18/44" + kSt);
    EXPECT_EQ(EntryText(25), "ABC");
    EXPECT_EQ(EntryText(26), "D");
    EXPECT_EQ(FindUserDefinedKey(0x17), 25);
    EXPECT_EQ(Answer(C("?25n")), C("?20n"));
    // Pl 0 locks the keys once this definition is in.
    Feed(kDcs + "1;0|17/58" + kSt);
    EXPECT_EQ(EntryText(25), "X");
    EXPECT_EQ(Answer(C("?25n")), C("?21n"));
    Feed(kDcs + "1;1|17/59" + kSt);
    EXPECT_EQ(EntryText(25), "X");
    // Clearing the keys (LS1R is ESC ~ in VT100) releases the lock.
    EmulationId = 1;
    Feed(E("~"));
    EmulationId = 2;
    EXPECT_EQ(Answer(C("?25n")), C("?20n"));
    Feed(kDcs + "1;1|17/59" + kSt);
    EXPECT_EQ(EntryText(25), "Y");
    // Bad parameters, a marker, or the VT100 emulation: the string is read, nothing kept.
    for (const std::string& refused :
         {kDcs + "2;1|17/5A" + kSt, kDcs + "1;1;3|17/5A" + kSt, kDcs + "?1;1|17/5A" + kSt}) {
        Feed(refused);
        EXPECT_EQ(EntryText(25), "Y") << refused.substr(2);
    }
    EmulationId = 1;
    Feed(kDcs + "1;1|17/5A" + kSt + "q");
    EXPECT_EQ(EntryText(25), "Y");
    EXPECT_EQ(Row(0), "q");
}

TEST_F(HostKeys, ClearingDecudkRestoresTheBuiltInStringsAndAFullPoolCutsTheText)
{
    Feed(kDcs + "1;1|17/41" + kSt);
    Feed(kDcs + "0;1|18/42" + kSt);
    // clang-format off
    EXPECT_EQ(EntryText(25), "\x9B" "17;2~");
    // clang-format on
    EXPECT_EQ(EntryText(26), "B");
    // The pool holds 512 units, the built-in strings most of them; key 19 gives its own
    // built-in text back first. Key 50 has no text to give back.
    const int room = kUdkPoolUnits - KeySequenceTable.end + static_cast<int>(EntryText(27).size());
    Feed(kDcs + "1;1|19/" + Hex(std::string(room + 40, 'z')) + ";50/41" + kSt);
    EXPECT_EQ(static_cast<int>(EntryText(27).size()), room);
    EXPECT_EQ(EntryText(46), "");  // nothing was left for it
    EXPECT_EQ(KeySequenceTable.end, kUdkPoolUnits);
    EXPECT_EQ(EntryText(26), "B");
}

TEST_F(HostKeys, HostKeyStringsAreTheHostsLiteralText)
{
    Feed(E("!a\"xyz\"") + E("!A/(notepad)/") + E("@b'<\"Notepad\">'") + "q");
    const Definition plain = DefinitionOf(0x41, 0), shifted = DefinitionOf(0x41, 1), sent = DefinitionOf(0x42, 0);
    EXPECT_EQ(plain.text, "xyz");
    EXPECT_EQ(plain.sendType, 2u);
    EXPECT_EQ(shifted.text, "(notepad)");
    EXPECT_EQ(sent.text, "<\"Notepad\">");
    EXPECT_EQ(sent.sendType, 0u);
    for (const Definition& d : {plain, shifted, sent})
        EXPECT_EQ(d.origin, TextOrigin::Host);
    EXPECT_EQ(Row(0), "q");
    // A new text replaces the key's old one; a letter outside A-O defines nothing.
    Feed(E("!a\"new\"") + E("!p\"x\"") + "r");
    EXPECT_EQ(DefinitionOf(0x41, 0).text, "new");
    EXPECT_FALSE(DefinitionOf(0x50, 0).exists);
    // A text cut off by CAN defines nothing.
    Feed(E("@c\"abc") + "\x18" + "s");
    EXPECT_FALSE(DefinitionOf(0x43, 0).exists);
    // VT52 knows both commands too.
    EmulationId = 0;
    Feed(E("@d!vt52!"));
    EXPECT_EQ(DefinitionOf(0x44, 0).text, "vt52");
}

TEST_F(HostKeys, Vt510DecudkProgramsThePcFunctionKeys)
{
    TerminalId = 12;
    // Pm 1: no modifier. Key 11 is F1, 24 is F12.
    Feed(kDcs + "1;1;1|11/414243;24/5A" + kSt);
    EXPECT_EQ(DefinitionOf(0x70, 0).text, "ABC");
    EXPECT_EQ(DefinitionOf(0x7B, 0).text, "Z");
    EXPECT_EQ(DefinitionOf(0x70, 0).origin, TextOrigin::Host);
    EXPECT_FALSE(DefinitionOf(0x71, 0).exists);
    // Pc 0 first gives all twelve keys of that modifier "no function"; Pm 3 is Alt.
    Feed(kDcs + "0;1;3|12/31" + kSt);
    EXPECT_EQ(DefinitionOf(0x71, 4).text, "1");
    EXPECT_EQ(DefinitionOf(0x70, 4).text, "<VK_NOFUNCTION>");
    // Pl 0 locks: the next definition is refused.
    Feed(kDcs + "1;0;1|13/41" + kSt);
    EXPECT_EQ(Answer(C("?25n")), C("?21n"));
    Feed(kDcs + "1;1;1|14/41" + kSt);
    EXPECT_FALSE(DefinitionOf(0x73, 0).exists);
}

TEST_F(HostKeys, PcKeyProgrammingByKeyNumber)
{
    TerminalId = 13;
    // DCS " x: key/modifier/function/hex text/send; function 100 takes the text.
    Feed(kDcs + "\"x112/1/100/414243/0;113/2/100/44/1;114/3/93;115/5/0;999/1/100/41" + kSt);
    EXPECT_EQ(DefinitionOf(0x70, 0).text, "ABC");
    EXPECT_EQ(DefinitionOf(0x71, 1).text, "D");
    EXPECT_EQ(DefinitionOf(0x71, 1).sendType, 2u);
    EXPECT_EQ(DefinitionOf(0x72, 4).text, "\x1b");
    EXPECT_EQ(DefinitionOf(0x73, 2).text, "<VK_NOFUNCTION>");
    // DCS " y: an alphanumeric key's characters by level (none, Shift, Alt, Ctrl+Alt,
    // Ctrl); '.' keeps a level as it is, '-' leaves it without a definition.
    Feed(kDcs + "\"y31//1;31/" + kSt);  // function 1 with no characters: no function
    EXPECT_EQ(DefinitionOf('A', 0).text, "<VK_NOFUNCTION>");
    Feed(kDcs + "\"y31/qQ.-k" + kSt);
    EXPECT_EQ(DefinitionOf('A', 0).text, "q");
    EXPECT_EQ(DefinitionOf('A', 1).text, "Q");
    EXPECT_FALSE(DefinitionOf('A', 6).exists);
    EXPECT_EQ(DefinitionOf('A', 2).text, "k");
    // Not in a VT420 or with a marker.
    TerminalId = 8;
    Feed(kDcs + "\"x116/1/100/41" + kSt);
    TerminalId = 13;
    Feed(kDcs + "?\"x116/1/100/41" + kSt);
    EXPECT_FALSE(DefinitionOf(0x74, 0).exists);
    // A string longer than the terminal keeps is refused whole.
    Feed(kDcs + "\"x117/1/100/41;" + std::string(5000, '0') + kSt);
    EXPECT_FALSE(DefinitionOf(0x75, 0).exists);
}

TEST_F(HostKeys, MacrosAreStoredInvokedAndCounted)
{
    EXPECT_EQ(Answer(C("?62n")), C("2048*{"));
    Feed(kDcs + "5;0;0!zABC" + kSt);
    EXPECT_EQ(Answer(C("?62n")), C("2047*{"));
    Feed(C("5*z"));
    EXPECT_EQ(Row(0), "ABC");
    // Hexadecimal bodies may hold controls; Pdt 1 keeps the other macros.
    // clang-format off
    Feed(kDcs + "6;1;1!z" + Hex("\r\n" "x") + kSt + C("6*z") + C("5*z"));
    // clang-format on
    EXPECT_EQ(Row(1), "xABC");
    // Pdt 0 deletes them all, not only the slot defined.
    Feed(kDcs + "7;0;0!zy" + kSt + C("5*z") + C("7*z"));
    EXPECT_EQ(Row(1), "xABCy");
    // Out-of-range parameters skip the string; VT100 and the VT320 know no macros.
    Feed(kDcs + "64;0;0!zQ" + kSt + kDcs + "8;2;0!zQ" + kSt + C("64*z") + C("8*z"));
    EXPECT_EQ(Row(1), "xABCy");
    TerminalId = 4;
    Feed(C("7*z"));
    EXPECT_EQ(Row(1), "xABCy");
}

TEST_F(HostKeys, AMacroThatDeletesMacrosOrInvokesItselfEnds)
{
    // Macro 1 deletes every macro while it is being read, then goes on with its text.
    Feed(kDcs + "1;0;1!z" + Hex(kDcs + "0;0;0!z" + kSt + "after") + kSt);
    Feed(C("1*z"));
    EXPECT_EQ(Row(0), "after");
    EXPECT_EQ(Answer(C("?62n")), C("2048*{"));
    // Macro 2 invokes itself: the nesting is bounded and the terminal answers after it.
    Feed(C("H") + C("2J"));
    Feed(kDcs + "2;0;1!z" + Hex("Z" + C("2*z")) + kSt + C("2*z"));
    EXPECT_EQ(Row(0), std::string(kInjectionDepth, 'Z'));
    EXPECT_FALSE(InjectedTextPending());
    EXPECT_EQ(Answer(C("5n")), C("0n"));
    // Invoked before its end, the nesting unwinds with the rest of each level.
    Feed(C("H") + C("2J"));
    Feed(kDcs + "3;0;1!z" + Hex("<" + C("3*z") + ">") + kSt + C("3*z"));
    EXPECT_EQ(Row(0), std::string(kInjectionDepth, '<') + std::string(kInjectionDepth, '>'));
}

TEST_F(HostKeys, MacroMemoryIsBoundedAndSharedWithTheReplays)
{
    // 32767 bytes at most: a body that would pass it is dropped whole.
    Feed(kDcs + "0;1;0!z" + std::string(30000, 'a') + kSt);
    EXPECT_EQ(HostMacroBytesInUse(), 30000);
    Feed(kDcs + "1;1;0!z" + std::string(3000, 'b') + kSt);
    EXPECT_EQ(HostMacroBytesInUse(), 30000);
    Feed(kDcs + "1;1;0!z" + std::string(2000, 'b') + kSt);
    EXPECT_EQ(HostMacroBytesInUse(), 32000);
    EXPECT_EQ(Answer(C("?62n")), C("48*{"));
}

}  // namespace
