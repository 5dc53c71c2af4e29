// Key names and macro strings: which names resolve and to what, and what a macro sends
// to the host through the key path.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "terminal/input/keys_fixture.h"
#include "support/doubles_input.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/pushback.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keynames.h"
#include "terminal/input/macros/macrostring.h"

namespace {

using Text = std::basic_string<wchar16>;

Text W(const char* s)
{
    return Text(s, s + std::char_traits<char>::length(s));
}

std::string Narrow(const wchar16* s)
{
    std::string out;
    for (; s && *s; ++s)
        out.push_back(static_cast<char>(*s));
    return out;
}

int Index(const char* name)
{
    return KeyNameToIndex(W(name).c_str());
}

TEST(KeyNames, NamesWithoutAPrefixFindTheFirstOfThatNameInIdOrder)
{
    struct Case {
        const char* name;
        const char* found;
    };
    // clang-format off
    const Case cases[] = {
        {"F6", "VK_F6"},        {"f6", "VK_F6"},       {"VT_F6", "VT_F6"},         {"vt_f6", "VT_F6"},
        {"SHIFT", "VK_SHIFT"},  {"control", "VK_CONTROL"}, {"A", "VK_A"},          {"PANRIGHT", "VT_PANRIGHT"},
        {"SYSREQ", "IB_SYSREQ"}, {"AS_SYSREQ", "AS_SYSREQ"}, {"NOFUNCTION", "VK_NOFUNCTION"},
        {"VK_EXECUTE", "VK_EXECUTE"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const int i = Index(c.name);
        ASSERT_GE(i, 0) << c.name;
        EXPECT_EQ(Narrow(KeyNameAt(i)), c.found) << c.name;
    }
    for (const char* missing : {"NOSUCH", "VT_NOSUCH", "VX_F6", "", "FF"})
        EXPECT_EQ(Index(missing), -1) << missing;
    EXPECT_EQ(Index("VK_CONTROL"), 1);
    EXPECT_EQ(Index("VK_OEM_102"), 99);
    EXPECT_EQ(Index("VK_CAPITAL"), 100);
    EXPECT_EQ(Index("VT_F6"), 148);
    EXPECT_EQ(Index("VT_PANRIGHT"), 206);
    EXPECT_EQ(Index("AS_DELAY"), 643);
}

TEST(KeyNames, TheTableHoldsEachNameOnceInItsGroup)
{
    struct Group {
        int first, last;
        const char* prefix;
    };
    const Group groups[] = {{0, 122, "VK_"},   {123, 147, "CE_"}, {148, 206, "VT_"}, {207, 248, "HP_"},
                            {249, 306, "TA_"}, {307, 342, "DG_"}, {343, 418, "IB_"}, {419, 496, "WY_"},
                            {497, 550, "TV_"}, {551, 643, "AS_"}};
    std::set<std::string> seen;
    for (const Group& g : groups)
        for (int i = g.first; i <= g.last; ++i) {
            const std::string name = Narrow(KeyNameAt(i));
            EXPECT_EQ(name.substr(0, 3), g.prefix) << i;
            EXPECT_TRUE(seen.insert(name).second) << name;
            EXPECT_EQ(KeyNameToIndex(KeyNameAt(i)), i) << name;
        }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kKeyNameCount));
    EXPECT_EQ(KeyNameAt(kKeyNameCount), nullptr);
}

TEST(KeyNames, EveryNameTheHotSpotTablesUseGivesAKey)
{
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i)
        names.push_back("VK_F" + std::to_string(i));
    for (int i = 6; i <= 20; ++i)
        if (i != 15 && i != 16)
            names.push_back("VT_F" + std::to_string(i));
    for (const char* n : {"VT_HELP",  "VT_DO",    "VT_FIND",   "VT_INSERT", "VT_REMOVE", "VT_SELECT", "VT_PREV",
                          "VT_NEXT",  "VT_PF1",   "VT_PF2",    "VT_PF3",    "VT_PF4",    "VT_BREAK",  "AS_ATTN",
                          "AS_ENTER", "AS_PRINT", "AS_SYSREQ", "AS_CLEAR",  "AS_RESET",  "WY_SEND",   "HP_SEND"})
        names.push_back(n);
    for (int i = 1; i <= 20; ++i)
        names.push_back("IB_F" + std::to_string(i));
    for (int i = 1; i <= 24; ++i)
        names.push_back("AS_F" + std::to_string(i));
    for (int i = 1; i <= 16; ++i)
        names.push_back("WY_F" + std::to_string(i));
    for (const std::string& name : names) {
        int key = -1, shift = 0;
        EXPECT_EQ(KeyNameToKey(W(name.c_str()).c_str(), -1, &key, &shift), 1) << name;
        EXPECT_GT(key, 0) << name;
    }
    // The name of no function is known and gives no key.
    int key = 5, shift = 0;
    EXPECT_GE(Index("VK_NOFUNCTION"), 0);
    EXPECT_EQ(KeyNameToKey(W("VK_NOFUNCTION").c_str(), -1, &key, &shift), 0);
    EXPECT_EQ(key, -1);
}

TEST(KeyNames, NamesStandForKeysOfThePcKeyboard)
{
    struct Case {
        const char* name;
        int shiftBefore;
        int result, key, shift;
    };
    const Case cases[] = {
        {"VK_F6", 0, 1, kKeyF6, 0},
        {"VT_F6", 2, 1, kKeyF6, 2},       // Ctrl added to the binding
        {"VT_F17", 0, 1, kKeyF6 + 1, 4},  // DEC F17 is Alt+F7 on the PC keyboard
        {"VT_FIND", 0, 1, kKeyEditPad, 0},
        {"IB_F13", 0, 1, kKeyF1, 1},
        {"VK_SHIFT", 0, 0, -1, 1},  // a modifier only adds its bit
        {"VK_RCONTROL", 1, 0, -1, 3},
        {"VK_A", 0, 1, 'a', -1},  // typed as it is
        {"VK_A", 1, 1, 'A', -1},
        {"VK_A", 4, 1, 'A', 4},
        {"VK_A", 2, 1, 1, -1},  // Ctrl+A types ^A
        {"VK_1", 0, 1, '1', -1},
        {"VK_RETURN", 0, 1, kKeyReturn, 0},
        {"VK_F13", 0, 1, kKeyF13, 0},
        {"CE_COPY", 0, 1, kKeyCopy, 0},
        {"VK_CAPITAL", 0, 0, -1, 0},  // no key the terminal can send
        {"NOSUCH", 0, 0, -1, 0},
    };
    for (const Case& c : cases) {
        int key = 99, shift = c.shiftBefore;
        EXPECT_EQ(KeyNameToKey(W(c.name).c_str(), -1, &key, &shift), c.result) << c.name;
        EXPECT_EQ(key, c.key) << c.name;
        EXPECT_EQ(shift, c.shift) << c.name;
    }
    const char16_t parts[] = u"CONTROL\0SHIFT\0VT_F6\0VK_F7";
    Text combination(parts, parts + sizeof parts / sizeof parts[0]);
    int key = 0, shift = 0;
    EXPECT_EQ(ParseKeyNameCombination(combination.c_str(), 4, &key, &shift), 1);
    EXPECT_EQ(key, kKeyF6);
    EXPECT_EQ(shift, 3);
    shift = 0;
    EXPECT_EQ(ParseKeyNameCombination(combination.c_str(), 2, &key, &shift), 0);
    EXPECT_EQ(key, -1);
}

TEST(KeyNames, KeysGiveTheirNamesBack)
{
    EXPECT_EQ(VirtualKeyToNameId('5'), 13009);
    EXPECT_EQ(VirtualKeyToNameId('Z'), 13039);
    EXPECT_EQ(VirtualKeyToNameId(0x70), 13046);
    EXPECT_EQ(VirtualKeyToNameId(0x12), 13002);  // VK_MENU, not VK_ALT
    EXPECT_EQ(VirtualKeyToNameId(0xFF), -1);
    wchar16 text[40];
    EXPECT_EQ(FormatKeyCombinationName(0x70, 7, text), 11);
    EXPECT_EQ(Narrow(text), "A+C+S+VK_F1");
    FormatKeyCombinationName('Q', 2, text);
    EXPECT_EQ(Narrow(text), "C+VK_Q");
    EXPECT_EQ(FormatKeyCombinationName(0xFF, 0, text), 0);
    // And back.
    struct Parsed {
        const char* text;
        int virtualKey, shift;
    };
    for (const Parsed& p : {Parsed{"<A+C+S+VK_F1>", 0x70, 7}, Parsed{"C+VK_Q", 'Q', 2}, Parsed{"<VK_5>", '5', 0},
                            Parsed{"<S+F2>", 0x71, 1}, Parsed{"<VK_ALT>", -1, 0}, Parsed{"<X+VK_A>", -1, 0}}) {
        int vk = 0, shift = 0;
        EXPECT_EQ(ParseKeyCombinationName(W(p.text).c_str(), &vk, &shift), p.virtualKey >= 0) << p.text;
        EXPECT_EQ(vk, p.virtualKey) << p.text;
        if (p.virtualKey >= 0) {
            EXPECT_EQ(shift, p.shift) << p.text;
        }
    }

    EXPECT_GT(KeyNameText(kKeyF6, 0, 13148, 13206, text), 0);
    EXPECT_EQ(Narrow(text), "<VT_F6>");
    KeyNameText(kKeyF1, 1, 13343, 13418, text);
    EXPECT_EQ(Narrow(text), "<IB_F13>");
    KeyNameText('Q', -1, 13000, 13122, text);
    EXPECT_EQ(Narrow(text), "<VK_Q>");
    EXPECT_EQ(KeyNameText(kKeyF6, 5, 13148, 13206, text), 0);

    ClearPushBackStacks();
    ASSERT_TRUE(PushKeyNameText(kKeyF1, 0, 13551, 13643));
    std::string typed;
    for (int c; (c = PopKeyboardInput()) >= 0;)
        typed.push_back(static_cast<char>(c));
    EXPECT_EQ(typed, "<AS_F1>");
}

using Macros = KeyPathTest;

void RunMacro(const char* macro, int type = 4, TextOrigin origin = TextOrigin::User)
{
    const Text text = W(macro);
    EXPECT_TRUE(QueueStringEvent(text.c_str(), type, static_cast<int>(text.size()), origin));
}

TEST_F(Macros, PlainTextTokensAndKeysArriveInOrder)
{
    UseEmulation(2);
    Key(kKeyF6, 2);
    const std::string ctrlF6 = TakeSent();
    Key(kKeyF6, 0);
    const std::string f6 = TakeSent();
    Key(kKeyF6 + 1, 4);
    const std::string f17 = TakeSent();
    ASSERT_FALSE(f17.empty());
    struct Case {
        const char* macro;
        std::string sent;
    };
    const Case cases[] = {
        {"a<<b((c", "a<b(c"},
        {"<CONTROL+VT_F6>", ctrlF6},
        {"< control - vt_f6 >", ctrlF6},
        {"<VT_F6>", f6},
        {"<F6>", f6},
        {"<VT_F17>", f17},
        {"<SHIFT>", ""},
        {"x<NOSUCH>y", "xy"},
        {"<A><SHIFT+B><CONTROL+C>", "aB\x03"},
        {"1<VK_RETURN>2", "1\r2"},
        {"a<b", "a<b"},  // never closed: plain
        {"end(", "end("},
        {"q<>r", "qr"},
        // clang-format off
        {"\xc2\x9b" "5~", "\x1b[5~"},
        // clang-format on
    };
    for (const Case& c : cases) {
        Text text;
        // The C1 case is one unit, U+009B.
        const std::string m = c.macro;
        for (std::size_t i = 0; i < m.size(); ++i) {
            if (static_cast<unsigned char>(m[i]) == 0xC2) {
                text.push_back(static_cast<unsigned char>(m[++i]));
                continue;
            }
            text.push_back(static_cast<unsigned char>(m[i]));
        }
        ASSERT_TRUE(QueueStringEvent(text.c_str(), 4, static_cast<int>(text.size())));
        Pump();
        EXPECT_EQ(Printable(TakeSent()), Printable(c.sent)) << c.macro;
    }
    EXPECT_EQ(LiveEventTexts(), 0);
}

TEST_F(Macros, LongPlainTextGoesOutWholeInOrder)
{
    UseEmulation(2);
    std::string expected;
    for (int i = 0; i < 600; ++i)
        expected.push_back(static_cast<char>('A' + i % 26));
    const std::string macro = expected.substr(0, 300) + "<VK_RETURN>" + expected.substr(300);
    RunMacro(macro.c_str());
    Pump();
    EXPECT_EQ(TakeSent(), expected.substr(0, 300) + "\r" + expected.substr(300));
    EXPECT_EQ(LiveEventTexts(), 0);
}

TEST_F(Macros, WindowAndProgramTokensRunForTheUserOnly)
{
    UseEmulation(2);
    RunMacro("a(notepad c:\\x.txt)<\"Notepad\">b<'Other'>c");
    Pump();
    EXPECT_EQ(TakeSent(), "abc");
    EXPECT_EQ(doubles::Input().startedCommands, std::vector<std::u16string>{u"notepad c:\\x.txt"});
    EXPECT_EQ(doubles::Input().raisedClasses, std::vector<std::u16string>{u"Notepad"});

    doubles::Input() = doubles::InputDouble{};
    RunMacro("d(calc)<\"Notepad\">e", 4, TextOrigin::Host);
    Pump();
    EXPECT_EQ(TakeSent(), "de");
    EXPECT_TRUE(doubles::Input().startedCommands.empty());
    EXPECT_TRUE(doubles::Input().raisedClasses.empty());
    EXPECT_EQ(LiveEventTexts(), 0);
}

TEST_F(Macros, AKeyDefinitionsMacroRunsItsKeys)
{
    UseEmulation(2);
    ASSERT_TRUE(AddKeyDefinition(0x74, 1, kKeyMacro, 0, 5, VXT("x<F6>"), nullptr));
    Key(kKeyF6, 0);
    const std::string f6 = TakeSent();
    QueueInputEvent(2, 0x74, 0);
    Pump();
    EXPECT_EQ(Printable(TakeSent()), Printable("x" + f6));
}

}  // namespace
