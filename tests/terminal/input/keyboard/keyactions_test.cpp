// Special keys from the event ring to the host: the dispatcher's table and the DEC and
// ANSI key actions, checked by the bytes that reach the (fake) connection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/input/keys_fixture.h"
#include "support/doubles_network.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/keys/keysequences.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/keyboard/keydispatch.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

enum Setup : unsigned {
    kPlain = 0,
    kCursorApp = 1,
    kKeypadApp = 2,
    kDecKeys = 4,
    kNewLine = 8,
    kBackarrowDel = 16,
    kAnsiEngine = 32,
};

struct KeyCase {
    const char* what;
    u8 emulation;
    unsigned setup;
    int keyCode;
    int shift;
    std::string bytes;
};

// Key codes: F1 68, F5 72, F6 73, F11 78, F12 79, F13 151; editing pad 83-88; Up 89,
// Left 90, Down 91, Right 92; Num Lock 93; keypad / 94, * 95, - 96, 0-9 97-106, . 109,
// + 110, Enter 111; Backspace 112, Esc 113, Return 114, Tab 115, Home 125, Delete 126.
// clang-format off
const std::vector<KeyCase> kCases = {
    {"VT100 Up", 1, kPlain, 89, 0, "\x1b[A"},
    {"VT500 cursor keys", 2, kPlain, 90, 0, "\x1b[D"},
    {"Down", 2, kPlain, 91, 0, "\x1b[B"},
    {"Right", 2, kPlain, 92, 0, "\x1b[C"},
    {"application cursor keys", 2, kCursorApp, 89, 0, "\x1bOA"},
    {"VT52 Up", 0, kPlain, 89, 0, "\x1b" "A"},
    {"VT52 ignores cursor-key mode", 0, kCursorApp, 92, 0, "\x1b" "C"},
    {"VT500 F6", 2, kPlain, 73, 0, "\x1b[17~"},
    {"VT500 F11", 2, kPlain, 78, 0, "\x1b[23~"},
    {"VT500 F12", 2, kPlain, 79, 0, "\x1b[24~"},
    {"VT500 F13", 2, kPlain, 151, 0, "\x1b[25~"},
    {"VT500 F20", 2, kPlain, 158, 0, "\x1b[34~"},
    {"VT100 F11 is ESC", 1, kPlain, 78, 0, "\x1b"},
    {"VT100 F12 is BS", 1, kPlain, 79, 0, "\b"},
    {"VT100 F13 is LF", 1, kPlain, 151, 0, "\n"},
    {"VT52 F11 is ESC", 0, kPlain, 78, 0, "\x1b"},
    {"Shift+F15", 2, kPlain, 153, 1, "\x1b[28;2~"},
    {"Shift+F16 differs from Shift+F15", 2, kPlain, 154, 1, "\x1b[29;2~"},
    {"Alt+Shift+F6 is Shift+F16", 2, kPlain, 73, 5, "\x1b[29;2~"},
    {"Alt+F11", 2, kPlain, 78, 4, "\x1b[35~"},
    {"Alt+Shift+F12", 2, kPlain, 79, 5, "\x1b[36;2~"},
    {"F1 in PC mode", 2, kPlain, 68, 0, "\x1b[11~"},
    {"F5 in PC mode", 2, kPlain, 72, 0, "\x1b[15~"},
    {"Find", 2, kPlain, 83, 0, "\x1b[1~"},
    {"Insert Here", 2, kPlain, 84, 0, "\x1b[2~"},
    {"Next Screen", 2, kPlain, 88, 0, "\x1b[6~"},
    {"Home", 2, kPlain, 125, 0, "\x1b[H"},
    {"VT52 Home", 0, kPlain, 125, 0, "\x1bH"},
    {"Delete", 2, kPlain, 126, 0, "\x7f"},
    {"numeric keypad 5", 2, kPlain, 102, 0, "5"},
    {"numeric keypad Enter", 2, kPlain, 111, 0, "\r"},
    {"numeric keypad Enter with new-line mode", 2, kNewLine, 111, 0, "\r\n"},
    {"numeric keypad .", 2, kPlain, 109, 0, "."},
    {"numeric keypad - types while the DEC keys are off", 2, kPlain, 96, 0, "-"},
    {"Num Lock sends nothing in numeric mode", 2, kPlain, 93, 0, ""},
    {"application keypad 5", 2, kKeypadApp, 102, 0, "\x1bOu"},
    {"application keypad 0", 2, kKeypadApp, 97, 0, "\x1bOp"},
    {"application keypad 9", 2, kKeypadApp, 106, 0, "\x1bOy"},
    {"application keypad Enter", 2, kKeypadApp, 111, 0, "\x1bOM"},
    {"application keypad .", 2, kKeypadApp, 109, 0, "\x1bOn"},
    {"application keypad + is -", 2, kKeypadApp, 110, 0, "\x1bOm"},
    {"application Num Lock is PF1", 2, kKeypadApp, 93, 0, "\x1bOP"},
    {"application keypad / is PF2", 2, kKeypadApp, 94, 0, "\x1bOQ"},
    {"application keypad - is PF4", 2, kKeypadApp, 96, 0, "\x1bOS"},
    {"keypad PF keys keep their shift", 2, kKeypadApp, 95, 1, "\x1bOR"},
    {"VT52 application keypad 5", 0, kKeypadApp, 102, 0, "\x1b?u"},
    {"VT52 PF1", 0, kKeypadApp, 93, 0, "\x1bP"},
    {"Return", 2, kPlain, 114, 0, "\r"},
    {"Return with new-line mode", 2, kNewLine, 114, 0, "\r\n"},
    {"Shift+Return", 2, kPlain, 114, 1, "\x1bOM"},
    {"Tab", 2, kPlain, 115, 0, "\t"},
    {"Ctrl+Shift+Tab", 2, kPlain, 115, 3, "\x1b[Z"},
    {"Backspace", 2, kPlain, 112, 0, "\b"},
    {"Backspace sending DEL", 2, kBackarrowDel, 112, 0, "\x7f"},
    {"Shift+Backspace is the other code", 2, kPlain, 112, 1, "\x7f"},
    {"Ctrl+Backspace is CAN", 2, kPlain, 112, 2, "\x18"},
    {"Esc", 2, kPlain, 113, 0, "\x1b"},
    {"a key code without a row", 2, kPlain, 137, 0, ""},
    {"another key code without a row", 2, kPlain, 160, 0, ""},
    {"Alt with a cursor key", 2, kPlain, 89, 4, ""},

    {"SCO F1", 5, kAnsiEngine, 68, 0, "\x1b[M"},
    {"SCO Shift+F1", 5, kAnsiEngine, 68, 1, "\x1b[Y"},
    {"SCO Ctrl+F1", 5, kAnsiEngine, 68, 2, "\x1b[k"},
    {"SCO Ctrl+Shift+F1", 5, kAnsiEngine, 68, 3, "\x1b[w"},
    {"SCO F5", 5, kAnsiEngine, 72, 0, "\x1b[Q"},
    {"SCO F6", 5, kAnsiEngine, 73, 0, "\x1b[R"},
    {"SCO Shift+F12", 5, kAnsiEngine, 79, 1, "\x1b[j"},
    {"SCO Ctrl+Shift+F12 has no letter", 5, kAnsiEngine, 79, 3, "\x1b["},
    {"SCO Insert", 5, kAnsiEngine, 83, 0, "\x1b[L"},
    {"SCO Page Up", 5, kAnsiEngine, 85, 0, "\x1b[I"},
    {"SCO Delete", 5, kAnsiEngine, 86, 0, "\x7f"},
    {"SCO Shift+Delete", 5, kAnsiEngine, 86, 1, "\x18"},
    {"SCO Ctrl+Delete", 5, kAnsiEngine, 86, 2, "\x1f" "6"},
    {"SCO Shift+Page Down", 5, kAnsiEngine, 88, 1, "\x1b[6~"},
    {"SCO Up", 5, kAnsiEngine, 89, 0, "\x1b[A"},
    {"SCO Shift+Tab", 5, kAnsiEngine, 115, 1, "\x1b[Z"},
    {"AT 386 F1", 21, kAnsiEngine, 68, 0, "\x1bOP"},
    {"AT 386 Shift+F1", 21, kAnsiEngine, 68, 1, "\x1bOp"},
    {"AT 386 Ctrl+F2", 21, kAnsiEngine, 69, 2, "\x1b" "a\x1bOQ\x1b" "A"},
    {"AT 386 F12", 21, kAnsiEngine, 79, 0, "\x1bOA"},
    {"AT 386 Insert", 21, kAnsiEngine, 83, 0, "\x1b[@"},
    {"AT 386 End", 21, kAnsiEngine, 87, 0, "\x1b[Y"},
    {"AT 386 Shift+Tab", 21, kAnsiEngine, 115, 1, "\x1b[z"},
    {"AIXTerm F1", 23, kPlain, 68, 0, "\x1b[001q"},
    {"AIXTerm F12", 23, kPlain, 79, 0, "\x1b[012q"},
    {"AIXTerm Shift+F1 has no string", 23, kPlain, 68, 1, ""},
    {"AIXTerm Home", 23, kPlain, 84, 0, "\x1b[H"},
    {"AIXTerm Up", 23, kPlain, 89, 0, "\x1b[A"},
    {"Ansi BBS F3", 4, kAnsiEngine, 70, 0, "\x1bOw"},
    {"Ansi BBS Shift+F4", 4, kAnsiEngine, 71, 1, "\x1bOm"},
    {"Ansi BBS F6", 4, kAnsiEngine, 73, 0, "\x1bOu"},
    {"Ansi BBS End", 4, kAnsiEngine, 87, 0, "\x1b[K"},
    {"Ansi BBS Delete", 4, kAnsiEngine, 86, 0, "\x7f"},
};
// clang-format on

class KeyActions : public KeyPathTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyActions, SendTheTerminalsBytes)
{
    const KeyCase& c = GetParam();
    UseEmulation(c.emulation);
    Vt300Values.curskeyapp = (c.setup & kCursorApp) ? 1 : 0;
    Vt300Values.kpadmode = (c.setup & kKeypadApp) ? 1 : 0;
    Vt300Values.barkmode = (c.setup & kBackarrowDel) ? 0 : 1;
    Vt300Values.DecKeyMode = (c.setup & kDecKeys) ? 1 : 0;
    VtMode.newLineMode = (c.setup & kNewLine) ? 1 : 0;
    AnsiConsoleMode = (c.setup & kAnsiEngine) ? 1 : 0;
    DataBitsSetting = 1;  // seven bits: C1 goes out as ESC and its letter
    Key(c.keyCode, c.shift);
    EXPECT_EQ(Printable(TakeSent()), Printable(c.bytes)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, KeyActions, ::testing::ValuesIn(kCases));

using KeyPath = KeyPathTest;

TEST_F(KeyPath, EightBitControlsGoOutWholeOnlyInVt500EightBit)
{
    DataBitsSetting = 2;
    UseEmulation(3);
    Key(89);
    // clang-format off
    EXPECT_EQ(Printable(TakeSent()), Printable("\x9b" "A"));
    // clang-format on
    UseEmulation(2);
    Key(89);
    EXPECT_EQ(Printable(TakeSent()), Printable("\x1b[A"));
}

TEST_F(KeyPath, DecKeyModeGivesTheTopRowItsDecMeaning)
{
    UseEmulation(2);
    Vt300Values.DecKeyMode = 1;
    Key(68);  // F1: Hold Screen
    EXPECT_EQ(OutputHeld, 1);
    Key(68);
    EXPECT_EQ(OutputHeld, 0);
    Key(69);  // F2: Print Screen
    ASSERT_EQ(doubles::Ui().postedCommands.size(), 1u);
    EXPECT_EQ(doubles::Ui().postedCommands[0], 1040u | (2u << 16)) << "printed as set, not asked";
    Key(72);  // F5: Break
    EXPECT_EQ(doubles::Network().breaks, 1);
    Key(93);  // Num Lock is PF1 while the DEC keys are on
    EXPECT_EQ(Printable(TakeSent()), Printable("\x1bOP"));

    Key(kKeyNumLock, 4);  // Alt+Num Lock switches the DEC keys off again
    EXPECT_EQ(Vt300Values.DecKeyMode, 0);
    EXPECT_EQ(doubles::Ui().decKeyField, std::vector<bool>{false});
    Key(94);  // keypad / types again
    EXPECT_EQ(TakeSent(), "/");
}

TEST_F(KeyPath, CopyPasteAndPauseActOnTheProgram)
{
    UseEmulation(2);
    Key(116, 2);
    Key(117, 0);
    EXPECT_EQ(doubles::Ui().postedCommands, (std::vector<u32>{1074, 1010}));
    Key(82, 2);  // Ctrl+Pause
    EXPECT_EQ(doubles::Network().breaks, 1);
    EXPECT_EQ(TakeSent(), "");
}

TEST_F(KeyPath, AUserDefinedKeyWinsOverTheDefaultString)
{
    UseEmulation(2);
    // The host redefined the shifted F6 (key table entry 25) as "ABC"; the other keys
    // keep their built-in texts.
    const KeySequenceStore& t = KeySequenceTable;
    std::vector<u16> pool(t.pool, t.pool + kUdkPoolUnits);
    u16 offsets[kUdkKeys], lengths[kUdkKeys];
    for (int i = 0; i < kUdkKeys; ++i) {
        offsets[i] = static_cast<u16>(2 * (t.keys[i].text - t.pool));
        lengths[i] = t.keys[i].length;
    }
    const u32 end = t.end + 3u;
    pool[t.end] = 'A', pool[t.end + 1] = 'B', pool[t.end + 2] = 'C';
    offsets[25] = static_cast<u16>(2 * t.end);
    lengths[25] = 3;
    RestoreUserDefinedKeys(pool.data(), kUdkPoolUnits, offsets, lengths, nullptr, &end);
    Key(73, 1);  // Shift+F6
    EXPECT_EQ(TakeSent(), "ABC");
    Key(73, 0);  // F6 has no user-defined text and keeps its default
    EXPECT_EQ(Printable(TakeSent()), Printable("\x1b[17~"));
}

TEST_F(KeyPath, TypedCharactersAreNotOvertakenByAKeysSequence)
{
    UseEmulation(2);
    for (char c : std::string("ab"))
        QueueInputEvent(1, static_cast<u16>(c), 0xFFFF);
    QueueInputEvent(3, 89, 0);
    QueueInputEvent(1, 'c', 0xFFFF);
    Pump();
    EXPECT_EQ(Printable(TakeSent()), Printable("ab\x1b[Ac"));
}

TEST_F(KeyPath, AKeyboardTheHostLockedLosesKeysWithABell)
{
    UseEmulation(2);
    VtMode.hostKeyboardLock = 1;
    BellPending = 0;
    QueueInputEvent(1, 'x', 0xFFFF);
    Key(89);
    EXPECT_EQ(TakeSent(), "");
    EXPECT_EQ(BellPending, 1);
    VtMode.hostKeyboardLock = 0;
    QueueInputEvent(1, 'y', 0xFFFF);
    Pump();
    EXPECT_EQ(TakeSent(), "y");  // the locked keys stay lost
}

TEST_F(KeyPath, TheKeyboardInputStackHoldsOffSpecialKeys)
{
    UseEmulation(2);
    PushKeyboardInput('q');
    QueueInputEvent(3, 89, 0);
    // The dispatcher drops a key while typed units wait on the stack.
    int value = 0, extra = 0;
    ASSERT_EQ(ExecuteInputEvent(value, extra, true), 3);
    DispatchKey(value, extra);
    Pump();
    EXPECT_EQ(TakeSent(), "q");
}

TEST_F(KeyPath, KeysTheHostProgrammedSendItsTextExactly)
{
    UseEmulation(2);
    // DECUDK in VT500 7-bit: Shift+F6 sends ABC.
    Feed("\x1bP0;1|17/414243\x1b\\");
    Key(73, 1);
    EXPECT_EQ(TakeSent(), "ABC");
    // ESC @ gives the A key a text that looks like a program and a window: it is sent
    // as it stands, a doubled bracket too.
    Feed("\x1b@a/(notepad)<<\"Notepad\">/");
    QueueInputEvent(2, 'A', 0);
    Pump();
    EXPECT_EQ(TakeSent(), "(notepad)<<\"Notepad\">");
    // ESC ! makes the key local: its text is taken as if received.
    Feed("\x1b!b\"(ok)\"");
    QueueInputEvent(2, 'B', 0);
    Pump();
    EXPECT_EQ(TakeSent(), "");
    EXPECT_EQ(Row(0), "(ok)");
    // "no function" sends nothing, and the key's own meaning is gone.
    TerminalId = 12;
    Feed("\x1bP\"x113/1/0\x1b\\");
    QueueInputEvent(2, 0x71, 0);
    Pump();
    EXPECT_EQ(TakeSent(), "");
    TerminalId = 8;
    DeleteAllKeyDefinitions();
}

TEST_F(KeyPath, AUsersMacroStringTypesADoubledBracketOnce)
{
    UseEmulation(2);
    const std::u16string text = u"a<<b((c";
    ASSERT_TRUE(AddKeyDefinition('C', 0, kKeyMacro, 0, static_cast<u32>(text.size()),
                                 reinterpret_cast<const wchar16*>(text.data()), nullptr));
    QueueInputEvent(2, 'C', 0);
    Pump();
    EXPECT_EQ(TakeSent(), "a<b(c");
    DeleteAllKeyDefinitions();
}

TEST_F(KeyPath, LocalEditingSendsTheEditedBlockWithKeypadEnter)
{
    UseEmulation(2);
    Vt300Values.inedit = 0;
    Vt300Values.erasemode = 0;
    SyncLocalEditState();
    // A guarded label, end of line CR, end of block ETX, then local editing.
    Feed("\x1b[2J\x1b[H\x1bVName:\x1bW\x1b[?13's\x1b[2|\x1b[?10h");
    for (char c : std::string("Bob"))
        QueueInputEvent(1, static_cast<u16>(c), 0xFFFF);
    Pump();
    EXPECT_EQ(TakeSent(), "");  // typing stays on the screen
    EXPECT_EQ(Row(0), "Name: Bob");
    Key(111);  // keypad Enter
    EXPECT_EQ(Printable(TakeSent()), Printable("Bob\r\x03"));
    SetFactoryVt300();
    SyncLocalEditState();
}

}  // namespace
