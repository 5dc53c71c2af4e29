// The DG keyboard in both modes: what each key sends, as the DG terminal descriptions
// (d410-dg, d410) name it, and the keys that act on the screen instead.
#include "dg_fixture.h"

#include "terminal/emulations/dg/dgkeys.h"

namespace {

constexpr int kShift = 1, kCtrl = 2, kAlt = 4;

class DgKeysTest : public DgTest {
protected:
    // Presses the key and lets the reader send what it pushed.
    std::string Press(int code, int shift)
    {
        DgKeyHandler(code, shift);
        Feed("");
        return Replies();
    }
};

struct KeyCase {
    int code, shift;
    const char* native;
    const char* ansi;
};

// clang-format off
const KeyCase kKeys[] = {
    {68, 0, "\x1eq", "\x1b[001z"},            // F1: kf1
    {79, 0, "\x1e|", "\x1b[012z"},            // F12: kf12
    {68, kShift, "\036a", "\x1b[101z"},    // kf16
    {77, kCtrl, "\x1e:", "\x1b[210z"},        // Ctrl+F10: kf40
    {68, kCtrl | kShift, "\x1e!", "\x1b[301z"},  // kf46
    {68, kAlt, "\x1e}", "\x1b[013z"},         // Alt+F1 as F13
    {70, kAlt, "\x1ep", "\x1b[000z"},         // Alt+F3 as F15
    {69, kAlt | kShift, "\x1en", "\x1b[114z"},  // Alt+F2 with Shift as Shift+F14
    {70, kAlt | kCtrl | kShift, "\x1e ", "\x1b[300z"},  // kf60
    {83, 0, "\x1e\\", "\x1b[020z"},           // ka1
    {85, 0, "\x1e]", "\x1b[021z"},            // ka3
    {86, 0, "\x1e^", "\x1b[022z"},            // kc1
    {88, 0, "\x1e_", "\x1b[023z"},            // kc3
    {84, 0, "\x08", "\x1b[H"},                // Home: khome
    {84, kShift, "\x1e\x08", ""},             // kHOM
    {87, 0, "\x1e\x11", "\x1b[i"},            // kprt
    {83, kCtrl, "", "\x1b[220z"},
    {83, kAlt, "\x0c", "\x1b[0J"},            // erase page
    {85, kAlt, "\x0b", "\x1b[K"},             // erase to end of line
    {89, 0, "\x17", "\x1b[A"},                // kcuu1
    {90, 0, "\x19", "\x1b[D"},
    {91, 0, "\x1a", "\x1b[B"},
    {92, 0, "\x18", "\x1b[C"},
    {90, kShift, "\x1e\x19", ""},             // kLFT; in ANSI mode it pans the view
    {92, kShift, "\x1e\x18", ""},             // kRIT
    {89, kShift, "\x1e\x17", ""},             // Shift+Up in ANSI mode scrolls locally
    {112, 0, "\x7f", "\x7f"},
    {114, 0, "\r", "\r"},
    {100, 0, "3", "3"},
    {108, kShift, ",", ","},
};
// clang-format on

TEST_F(DgKeysTest, EveryKeySendsItsSequenceInBothModes)
{
    for (const KeyCase& k : kKeys)
        EXPECT_EQ(Press(k.code, k.shift), k.native) << "native key " << k.code << " shift " << k.shift;
    Feed("\036F@");
    for (const KeyCase& k : kKeys)
        EXPECT_EQ(Press(k.code, k.shift), k.ansi) << "ANSI key " << k.code << " shift " << k.shift;
}

TEST_F(DgKeysTest, ShiftedArrowsInAnsiModeActOnTheScreen)
{
    Feed("\036F@top\r\n");
    Press(89, kShift);
    EXPECT_EQ(Text(0), "") << "the window scrolled up";
    Press(91, kShift);
    EXPECT_EQ(Text(1), "");
    Press(90, kShift);
    EXPECT_EQ(Dg.window.viewLeft, 1);
    Press(92, kShift);
    EXPECT_EQ(Dg.window.viewLeft, 0);
}

TEST_F(DgKeysTest, LocalKeysChangeTheCursorTypeAndWidth)
{
    Press(81, kShift);
    EXPECT_EQ(Dg.cursorType, 1);
    Press(81, kShift);
    EXPECT_EQ(Dg.cursorType, 0);
    Press(81, kShift);
    EXPECT_EQ(Dg.cursorType, 3);
    Press(82, kShift);
    EXPECT_EQ(Dg.window.width, 134);
    Press(82, kShift);
    EXPECT_EQ(Dg.window.width, 80);
}

}  // namespace
