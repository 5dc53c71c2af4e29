#include "terminal/emulations/wyse/keys/keysequences.h"

#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/keys/wysekeys.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/input/keyboard/keycodes.h"

namespace {

constexpr int kEsc = 0x1B, kSoh = 0x01, kCr = 0x0D;
int g_shift = 0;

bool Modal()
{
    return ModalOpen != 0;
}

// The sequence goes to the host only when no dialog, local mode or block mode keeps it.
bool Sends()
{
    return !Modal() && !LocalMode && !WySet.inEdit;
}

void SendUnits(const u16* units, int n)
{
    if (Sends())
        WyseSendBytes(units, n);
    else
        PushKeyboardString(units, n);
}

void Send1(int a)
{
    const u16 u[1] = {static_cast<u16>(a)};
    SendUnits(u, 1);
}

void Send2(int a, int b)
{
    const u16 u[2] = {static_cast<u16>(a), static_cast<u16>(b)};
    SendUnits(u, 2);
}

void Send3(int a, int b, int c)
{
    const u16 u[3] = {static_cast<u16>(a), static_cast<u16>(b), static_cast<u16>(c)};
    SendUnits(u, 3);
}

bool Hz()
{
    return WyIs(kEmuHz1500);
}

bool Adds()
{
    return WyIs(kEmuAddsA2);
}

bool ApplicationMode()
{
    return WySet.applKey && !WyMode.nationalSets && !LocalMode && !WySet.inEdit;
}

void CycleStatusLine()
{
    WySet.stat = static_cast<u8>((WySet.stat + 1) % 3);
    WyseLayoutStatusLine(false);
}

}  // namespace

int WyseStoredShift()
{
    return g_shift;
}

void WyseSetStoredShift(int state)
{
    g_shift = state & 7;
}

void WyseKeyByte(int b)
{
    if (!Modal() && !LocalMode && !WySet.inEdit) {
        if (WyMode.localEdit)
            PushHostByte(static_cast<u16>(b));
        else
            WyseSendByte(static_cast<u8>(b));
        return;
    }
    PushKeyboardInput(static_cast<u16>(b));
}

void WyseKeySequence2(int first, int second)
{
    if (!Modal() && !LocalMode && !WySet.inEdit) {
        if (WyMode.localEdit) {
            PushHostByte(static_cast<u16>(second));
            PushHostByte(static_cast<u16>(first));
        } else {
            const u16 u[2] = {static_cast<u16>(first), static_cast<u16>(second)};
            WyseSendBytes(u, 2);
        }
        return;
    }
    const u16 u[2] = {static_cast<u16>(first), static_cast<u16>(second)};
    PushKeyboardString(u, 2);
}

void WyseLocalCommand2(int first, int second)
{
    if (Sends()) {
        PushHostByte(static_cast<u16>(second));
        PushHostByte(static_cast<u16>(first));
        return;
    }
    const u16 u[2] = {static_cast<u16>(first), static_cast<u16>(second)};
    PushKeyboardString(u, 2);
}

void WyseLocalCommand3(int first, int second, int third)
{
    if (Sends()) {
        PushHostByte(static_cast<u16>(third));
        PushHostByte(static_cast<u16>(second));
        PushHostByte(static_cast<u16>(first));
        return;
    }
    const u16 u[3] = {static_cast<u16>(first), static_cast<u16>(second), static_cast<u16>(third)};
    PushKeyboardString(u, 3);
}

void WyseSendReturn()
{
    if (WySet.crNull)
        Send2(kCr, 0);
    else
        Send1(kCr);
}

void WyseEditingKey(int number, int state)
{
    const int saved = g_shift;
    g_shift = state & 7;
    if (number == kWyseKeyInsert && (state & 4)) {
        if (Hz())
            Send1(0x02);
        else
            WyseKeySequence2(kEsc, 'Q');
    } else {
        WyseSendKeyDefault(number, state & 1);
    }
    g_shift = saved;
}

void WyseSendKeyDefault(int n, int s)
{
    const int ctrlShift = g_shift & 3;
    if (n >= kWyseFirstKey && n <= kWyseKeyF16) {
        Send3(kSoh, (s ? '`' : '@') + (n - kWyseFirstKey), kCr);
        return;
    }
    switch (n) {
    case kWyseKeyEsc: Send1(kEsc); break;
    case kWyseKeyTab:
        if (!s)
            Send1(0x09);
        else if (Hz())
            Send2('~', 0x09);
        else
            WyseKeySequence2(kEsc, 'I');
        break;
    case kWyseKeyBackspace: Send1(0x08); break;
    case kWyseKeyDel: Send1(0x7F); break;
    case kWyseKeyReturn:
    case kWyseKeyEnter: WyseSendReturn(); break;
    case kWyseKeyHome:
        if (ctrlShift == 3) {
            if (!Modal())
                WyseClearScreen();
        } else if (ctrlShift == 2) {
        } else if (Adds()) {
            WyseKeyByte(kSoh);
        } else if (Hz()) {
            WyseKeySequence2('~', 0x12);
        } else if (s) {
            WyseKeySequence2(kEsc, '{');
        } else {
            WyseKeyByte(0x1E);
        }
        break;
    case kWyseKeyUp:
        if (g_shift & 2) {
            if (ctrlShift == 2)
                WyseLocalCommand3(kEsc, 'w', 'E');
        } else if (Adds()) {
            WyseKeyByte(0x1A);
        } else if (Hz()) {
            WyseKeySequence2('~', 0x0C);
        } else {
            WyseKeyByte(0x0B);
        }
        break;
    case kWyseKeyDown:
        if (g_shift & 2) {
            if (ctrlShift == 2)
                WyseLocalCommand3(kEsc, 'w', 'F');
        } else if (WyIs(kEmuTvi925)) {
            WyseKeyByte(0x16);
        } else if (Hz()) {
            WyseKeySequence2('~', 0x0B);
        } else {
            WyseKeyByte(0x0A);
        }
        break;
    case kWyseKeyLeft: WyseKeyByte(Adds() ? 0x15 : 0x08); break;
    case kWyseKeyRight:
        if (g_shift & 2)
            CycleStatusLine();
        else
            WyseKeyByte(Adds() ? 0x06 : Hz() ? 0x10 : 0x0C);
        break;
    case kWyseKeyInsert:
        if (g_shift & 2) {
            if (Adds())
                WyseKeySequence2(kEsc, 'M');
            else if (Hz())
                WyseKeySequence2('~', 0x1A);
            else
                WyseKeySequence2(kEsc, 'E');
        } else if (s) {
            if (Hz())
                WyseKeyByte(0x04);
            else
                WyseKeySequence2(kEsc, 'r');
        } else if (Hz()) {
            WyseKeyByte(0x15);
        } else {
            WyseKeySequence2(kEsc, 'q');
        }
        break;
    case kWyseKeyDelete:
        if (!s)
            Hz() ? WyseKeyByte(0x03) : WyseKeySequence2(kEsc, 'W');
        else if (Adds())
            WyseKeySequence2(kEsc, 'l');
        else if (Hz())
            WyseKeySequence2('~', 0x13);
        else
            WyseKeySequence2(kEsc, 'R');
        break;
    case kWyseKeyPageUp:
        if (g_shift & 2) {
            if (!Modal())
                WyseSelectWindow(WyStore.active ^ 1);
        } else {
            Hz() ? WyseKeyByte(0x05) : WyseKeySequence2(kEsc, 'J');
        }
        break;
    case kWyseKeyPageDown:
        if (g_shift & 2) {
            if (!Modal())
                WyseSelectWindow(WyStore.active ^ 1);
        } else if (Adds()) {
            WyseKeySequence2(kEsc, 'J');
        } else {
            Hz() ? WyseKeyByte(0x01) : WyseKeySequence2(kEsc, 'K');
        }
        break;
    case kWyseKeyEnd:
        if (!s)
            Adds() ? WyseKeySequence2(kEsc, 'K')
            : Hz() ? WyseKeySequence2('~', 0x0F)
                   : WyseKeySequence2(kEsc, 'T');
        else
            Adds() ? WyseKeySequence2(kEsc, 'k')
            : Hz() ? WyseKeySequence2('~', 0x1C)
                   : WyseKeySequence2(kEsc, 'Y');
        break;
    case kWyseKeyPrint:
        if (g_shift & 4) {
            if (!Modal())
                PostMainCommand(kCmdPrintScreen);
        } else if (g_shift & 2) {
            if (!Modal())
                WyseControllerOn();
        } else if (!s) {
            Hz() ? WyseKeyByte(0x06) : WyseKeySequence2(kEsc, 'P');
        } else {
            Hz() ? WyseKeySequence2('~', '7') : WyseKeySequence2(kEsc, '7');
        }
        break;
    case kWyseKeyKeypad5: Send1('5'); break;
    case kWyseKeyEighthBit:
        if (!Modal())
            WyMode.highBit ^= 0x80;
        break;
    default: break;
    }
}

void WyseSendKeyAppl(int n, int s)
{
    if (n >= kWyseFirstKey && n <= kWyseKeyF16) {
        Send1((s ? 144 : 128) + n - kWyseFirstKey);
        return;
    }
    struct Codes {
        int number, plain, shifted;
    };
    // clang-format off
    static const Codes kCodes[] = {
        {kWyseKeyEsc, 27, 235}, {kWyseKeyBackspace, 0x08, 239}, {kWyseKeyDel, 127, 127},
        {kWyseKeyHome, 212, 217}, {kWyseKeyUp, 211, 216}, {kWyseKeyDown, 210, 215}, {kWyseKeyLeft, 208, 213},
        {kWyseKeyRight, 209, 214}, {kWyseKeyInsert, 245, 223}, {kWyseKeyPageDown, 218, 218},
        {kWyseKeyDelete, 221, 243}, {kWyseKeyPrint, 241, 219}, {kWyseKeyEnd, 222, 244},
        {kWyseKeyPageUp, 240, 240}, {kWyseKeyKeypad5, 181, 229},
    };
    // clang-format on
    if (n == kWyseKeyTab && s) {
        Send1(234);
        return;
    }
    if (n == kWyseKeyEnter) {
        Send1(186);
        return;
    }
    for (const Codes& c : kCodes)
        if (c.number == n) {
            Send1(s ? c.shifted : c.plain);
            return;
        }
    WyseSendKeyDefault(n, s);
}

void WyseKeypadKey(int k)
{
    const int shift = g_shift & 1;
    if (g_shift & 2) {
        if (k == '+' || k == '-') {
            if (WyStore.splitMode == 3)
                WyseLocalCommand3(kEsc, 'x', k == '+' ? 'P' : 'R');
        } else if (k == '.') {
            WyseLocalCommand2(kEsc, 'P');
        } else if (k == '1' && shift) {
            if (!Modal()) {
                WyMode.monitor ^= 1;
                WyseShowTransmitField();
            }
        } else if (k >= '0' && k <= '9' && WySet.multiPage) {
            WyseLocalCommand3(kEsc, 'w', k);
        }
        return;
    }
    if (ApplicationMode()) {
        if (k == '+')
            PushKeyboardInput('+');
        else if (k == '-')
            Send1(shift ? 237 : 205);
        else if (k == '.')
            Send1(shift ? 238 : 206);
        else if (k >= '0' && k <= '9')
            Send1((shift ? 224 : 176) + k - '0');
        return;
    }
    if (NumLockState) {
        if (k == '.')
            PushKeyboardInput(KeypadDecimalChar);
        else if (k == ',')
            PushKeyboardInput(KeypadSeparatorChar);
        else
            PushKeyboardInput(static_cast<u16>(k));
        return;
    }
    static const int kKeys[10] = {kWyseKeyInsert,  kWyseKeyEnd,   kWyseKeyDown, kWyseKeyPageDown, kWyseKeyLeft,
                                  kWyseKeyKeypad5, kWyseKeyRight, kWyseKeyHome, kWyseKeyUp,       kWyseKeyPageUp};
    if (k == '+' || k == '-')
        PushKeyboardInput(static_cast<u16>(k));
    else if (k == '.')
        WyseSendKey(shift ? kWyseKeyDelete : kWyseKeyDel, shift);
    else if (k == '0')
        WyseSendKey(kWyseKeyInsert, shift ^ 1);
    else if (k >= '1' && k <= '9')
        WyseSendKey(kKeys[k - '0'], shift);
}
