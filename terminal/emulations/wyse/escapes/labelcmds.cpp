// Label lines, key texts and key definitions from the host, and the status message.
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/keys/wysekeys.h"
#include "terminal/emulations/wyse/screen/labels.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/input/macros/keydefs.h"

namespace {

constexpr int kDel = 0x7F;

// A key text up to DEL, at most 64 units (the rest up to DEL is dropped); false when a
// byte was missing.
bool ReadKeyText(wchar16* text, int& length)
{
    length = 0;
    for (;;) {
        const int b = WyseReadHostByte();
        if (b < 0)
            return false;
        if (b == kDel)
            return true;
        if (length < kWyseKeyTextUnits)
            text[length++] = static_cast<wchar16>(b);
    }
}

void SendDefinition(int number, int shifted, int keyByte)
{
    u16 units[kWyseKeyTextUnits + 3];
    int n = 0;
    int sendType = 1;
    {
        KeyDefinitionsLock lock;
        const KeyDefinition* d = number < 0
                                     ? nullptr
                                     : FindKeyDefinition(WyseKeyCode(number, shifted), kWyseFunctionKey, -1);
        if (number < 0)
            sendType = 0;
        else if (d)
            sendType = static_cast<int>(d->SendType());
        units[n++] = static_cast<u16>('0' + sendType);
        units[n++] = static_cast<u16>(keyByte);
        for (u32 i = 0; d && i < d->length && i < kWyseKeyTextUnits; ++i)
            units[n++] = d->text[i];
    }
    units[n++] = kDel;
    WyseSendBytes(units, n);
}

}  // namespace

void WyseEscLabelText()
{
    WyseSetLabelText();
}

void WyseEscLabelsOn()
{
    WyMode.labelsOn = 1;
    WyseShowLabelLine();
}

void WyseEscLabelsOff()
{
    WyMode.labelsOn = 0;
    WyseShowLabelLine();
}

void WyseEscLabels()
{
    const int c = WyseReadHostByte();
    if (c < 0)
        return;
    if (c == '(') {
        WyseSetLabelLine();
    } else if (c == ')') {
        WyseSetShiftedLabelLine();
    } else if (c >= '0' && c <= '?') {
        WyseSetFunctionLabel(c - '0');
    } else if (c >= 'P' && c <= '_') {
        WyseSetShiftedFunctionLabel(c - 'P');
    } else if ((c >= '@' && c <= 'O') || (c >= '`' && c <= 'o')) {
        wchar16 text[kWyseKeyTextUnits];
        int length = 0;
        if (ReadKeyText(text, length))
            WyseDefineKey(kWyseFirstKey + (c & 0x0F), c >= '`' ? 1 : 0, 1, text, length);
    } else if (c == '~' || c == kDel) {
        WyseHideShiftedLabels();
    }
}

void WyseEscDefineKey()
{
    if (!WyIsPlusOr60())
        return;
    const int n = WyseReadHostByte();
    if (n < 0)
        return;
    const int kind = n & 0x7F;
    const int keyByte = WyseReadHostByte();
    if (keyByte < 0)
        return;
    int shifted = 0;
    const int number = WyseKeyOfByte(keyByte, &shifted);
    if (kind == '~') {
        SendDefinition(number, shifted, keyByte);
        return;
    }
    if (kind < '0' || kind > '3')
        return;
    if (number < 0) {
        // A key byte that names no key ends the sequence: the text arrives as data.
        return;
    }
    wchar16 text[kWyseKeyTextUnits];
    int length = 0;
    if (ReadKeyText(text, length))
        WyseDefineKey(number, shifted, kind == '3' ? 2 : kind - '0', text, length);
}

void WyseEscStatusMessage()
{
    WyseReadStatusMessage();
}
