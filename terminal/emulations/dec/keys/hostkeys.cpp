// ESC ! and ESC @: the host gives one of the keys A-O a text, ESC ! as a local key
// (the text is taken as if received), ESC @ as a key that sends it. A lower-case letter
// names the key without Shift, an upper-case one the key with Shift; the byte after the
// letter delimits the text. The text is the host's: it is typed or sent exactly, so a
// host can never start a program or raise a window through a key.
#include "terminal/emulations/dec/controls/controlstring.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/input/macros/keydefs.h"

namespace {

constexpr int kMaxKeyText = 254;

void DefineHostKeyString(u32 sendType)
{
    const int letter = NextSequenceByte();
    const int low = letter | 0x20;
    if (letter == 0 || low < 'a' || low > 'o')
        return;
    const int delimiter = ReadStringByte();
    if (delimiter == kStringEnd)
        return;
    std::u16string text;
    for (;;) {
        const int b = ReadStringByte();
        // A text cut off by ESC, CAN or SUB defines nothing.
        if (b == kStringEnd)
            return;
        if (b == delimiter || static_cast<int>(text.size()) >= kMaxKeyText)
            break;
        text.push_back(static_cast<char16_t>(b));
    }
    const u32 keyCode = static_cast<u32>(letter & ~0x20);
    const u32 shift = letter == low ? 0 : 1;
    ReplaceKeyDefinitionText(keyCode, shift, kKeyMacro, sendType, text);
}

}  // namespace

void DefineHostKeyStringType2()
{
    DefineHostKeyString(2);
}

void DefineHostKeyStringType0()
{
    DefineHostKeyString(0);
}
