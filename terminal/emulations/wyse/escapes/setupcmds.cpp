// The set-up commands of ESC c, the modes of ESC e and the personality switch of ESC ~.
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/serial/serialline.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/keys/wysekeys.h"
#include "terminal/emulations/wyse/screen/banks.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/screen/screenops.h"
#include "terminal/emulations/wyse/settings/answerback.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr int kCr = 0x0D, kEm = 0x19;

// ESC c s: a text up to CR that the terminal keeps for itself.
void DropText()
{
    for (int n = 0; n < 128; ++n) {
        const int b = WyseReadHostByte();
        if (b < 0 || b == kCr)
            return;
    }
}

// The line speeds of the rate codes, slowest first.
int RateBitsPerSecond(int code)
{
    switch (code) {
    case '<': return 110;
    case '9': return 300;
    case '8': return 600;
    case '7': return 1200;
    case '4': return 2400;
    case '3': return 4800;
    case '2': return 9600;
    case '1': return 19200;
    case '0': return 38400;
    case 'C': return 57600;
    default: return 0;
    }
}

int SpeedIndexOf(int bitsPerSecond)
{
    for (int i = 0; i < kSerialSpeedCount; ++i)
        if (static_cast<int>(kSerialSpeeds[i]) == bitsPerSecond)
            return i;
    return -1;
}

// The host port takes its new settings when it is opened again.
void ReopenPort()
{
    if (ConfiguredSerialPortOpen())
        RequestSerialConnection();
}

void SetMainPort()
{
    const int rate = WyseReadHostByte();
    const int stop = WyseReadHostByte();
    const int parity = WyseReadHostByte();
    const int data = WyseReadHostByte();
    if (rate < 0 || stop < 0 || parity < 0 || data < 0)
        return;
    const int speed = SpeedIndexOf(RateBitsPerSecond(rate));
    if (speed < 0)
        return;
    ConnectionValues.comspeed = static_cast<u8>(speed);
    ConnectionValues.comstopb = stop == '0' ? 0 : 2;
    static const int kParity[5] = {0, 1, 3, 2, 4};
    if (parity >= '0' && parity <= '4')
        ConnectionValues.comparity = static_cast<u8>(kParity[parity - '0']);
    ConnectionValues.comdatab = data == '0' ? 1 : 2;
    ReopenPort();
    WyseSendAck();
}

// ESC c 6: the transmit pacing, as the line speed the typed bytes are paced to (none,
// about 600, 1500 or 350 characters a second's worth of bits).
void SetPacing()
{
    const int c = WyseReadHostByte();
    if (c < 0)
        return;
    static const int kPacedBitsPerSecond[8] = {0, 600, 0, 1200, 300, 600, 0, 1200};
    const int bits = kPacedBitsPerSecond[c & 7];
    const int index = bits ? SpeedIndexOf(bits) : kSerialSpeedCount - 1;
    if (index >= 0)
        ConnectionValues.etxspeed = static_cast<u8>(index);
    // The pacing is computed again when the port opens with it.
    ReopenPort();
}

void SetHandshake()
{
    const int c = WyseReadHostByte();
    if (c < '0' || c > '3')
        return;
    ConnectionValues.comflowc = static_cast<u8>(c - '0');
    ReopenPort();
}

// ESC c ";": the answerback, at most 20 characters, ended by EM; the rest is dropped.
void ReadAnswerback()
{
    wchar16 text[kWyseAnswerbackChars + 1] = {};
    int n = 0;
    for (;;) {
        const int b = WyseReadHostByte();
        if (b < 0 || b == kEm)
            break;
        if (n < kWyseAnswerbackChars)
            text[n++] = static_cast<wchar16>(b);
    }
    WyseStoreAnswerback(text, n);
    Vt300Values.answcon = 0;
}

void AreaCommand(int c)
{
    WyseStoreState& s = WyStore;
    const int column = s.cursorColumn;
    switch (c) {
    case 'F': WyseFillRectangle(true); break;
    case 'H': WyseFillRectangle(false); break;
    case 'G':
    case 'N': {
        int row = 0, corner = 0;
        if (WyseReadAddress(&row, &corner, true))
            WyseDrawBox(s.cursorLine, s.cursorColumn, s.regionFirst + row, corner);
        break;
    }
    case 'I': {
        const int fill = WyseReadHostByte();
        if (fill >= 0)
            WyseFillColumn(static_cast<u8>(fill));
        break;
    }
    case 'K': WyseFillColumn(0); break;
    case 'J':
        for (int line = s.regionFirst; line <= s.regionLast; ++line)
            WyseDeleteCell(line, column);
        break;
    case 'M':
        for (int line = s.regionFirst; line <= s.regionLast; ++line)
            WyseInsertCell(line, column, 0);
        break;
    case 'L': WyseClearToEndOfLineAll(0, 0); break;
    case 'O': WyseClearToEndOfLineAll(' ', 0); break;
    case 'P': WyseFillArea(' ', 0, s.regionLast, true, s.lastColumnAllowed, false); break;
    case 'R': WyseFillArea(' ', 0, s.cursorLine, true, s.lineLast, false); break;
    case 'Q': WyseFillArea(0, 0, s.regionLast, true, s.lastColumnAllowed, false); break;
    case 'S': WyseFillArea(0, 0, s.cursorLine, true, s.lineLast, false); break;
    default: break;
    }
}

void SetDisplaySize(u16 lines)
{
    WySet.dispSize = lines;
    WyseRebuildScreen(false);
    WyseResetCharsets();
}

}  // namespace

void WyseEscSetup()
{
    const int c = WyseReadHostByte();
    if (c < 0)
        return;
    if (!WyIsPlusOr60()) {
        if (c == 's')
            DropText();
        else
            PushBackInputByte(static_cast<u8>(c));
        return;
    }
    switch (c) {
    case 's': DropText(); break;
    case '!': {
        const int b = WyseReadHostByte();
        if (b >= 0)
            WySet.asciiFont = static_cast<u8>(b & 1);
        break;
    }
    case '0': SetMainPort(); break;
    case '1':
        for (int i = 0; i < 4; ++i)
            if (WyseReadHostByte() < 0)
                return;
        WyseSendAck();
        break;
    case '2': SetHandshake(); break;
    case '4': WyseReadHostByte(); break;
    case '6': SetPacing(); break;
    case '8':
        for (int i = 0; i < 3; ++i)
            if (WyseReadHostByte() < 0)
                return;
        break;
    case ';': ReadAnswerback(); break;
    case '=': Vt300Values.answcon = 1; break;
    case '<': WyseSendAnswerback(); break;
    case '"': WyseSelectBankSize(); break;
    case '?': WyseClearBank(); break;
    case '@': WyseSelectBankFont(); break;
    case 'A': WyseDefineGlyph(); break;
    case 'B': WyseSetBankSelector(0); break;
    case 'C': WyseSetBankSelector(1); break;
    case 'D': WyseSelectActiveBank(0); break;
    case 'E': WyseSelectActiveBank(1); break;
    case 'm': WyseBankCommand(); break;
    case 'U': DeleteKeyDefinitions(kWyseFunctionKey); break;
    default: AreaCommand(c); break;
    }
}

void WyseEscModes()
{
    const int c = WyseReadHostByte();
    if (c < 0 || !WyIsPlusOr60())
        return;
    switch (c) {
    case ' ': WySet.ansMode = 0; break;
    case '!': WySet.ansMode = 1; break;
    case '(': SetDisplaySize(24); break;
    case ')': SetDisplaySize(25); break;
    case '*': SetDisplaySize(42); break;
    case '+': SetDisplaySize(43); break;
    case '.': WySet.widthClear = 0; break;
    case '/': WySet.widthClear = 1; break;
    case '0':
        if (WyStore.attrMode60)
            WySet.attrType = WyMode.savedAttrType;
        break;
    case '1':
        if (WyStore.attrMode60) {
            WyMode.savedAttrType = WySet.attrType;
            WySet.attrType = 2;
        }
        break;
    case '2':
    case '3':
        WySet.attrType = static_cast<u8>(c - '2');
        if (!WyStore.attrMode60)
            WyseRepaintAll();
        break;
    case '4': WyMode.autoLineFeed = 0; break;
    case '5': WyMode.autoLineFeed = 1; break;
    case '6': WySet.sendAck = 0; break;
    case '7': WySet.sendAck = 1; break;
    case ':': WySet.initTabs = 0; break;
    case ';': WySet.initTabs = 1; break;
    case 'F':
    case 'G':
        WySet.economy = c == 'G' ? 1 : 0;
        WyseRebuildScreen(false);
        break;
    case 'L': WySet.marginBell = 0; break;
    case 'M': WySet.marginBell = 1; break;
    case 'r':
    case 's':
        WyMode.nationalSets = c == 'r' ? 1 : 0;
        WyseResetCharsets();
        WyseRepaintAll();
        break;
    case 'x': WySet.multiPage = 0; break;
    case 'y': WySet.multiPage = 1; break;
    default: break;
    }
}

void WyseEscPersonality()
{
    const int c = WyseReadHostByte();
    if (c < 0)
        return;
    u8 to = kNoEmulation;
    switch (c) {
    case ' ': WySet.enhance = 0; return;
    case '!': WySet.enhance = 1; return;
    case '2': WySet.applKey = 0; return;
    case '3': WySet.applKey = 1; return;
    case '"': to = kEmuWy50Plus; break;
    case '#': to = kEmuTvi910; break;
    case '$': to = kEmuTvi925; break;
    case '%': to = kEmuAddsA2; break;
    case '&': to = kEmuHz1500; break;
    case '\'': to = kEmuTvi920; break;
    case ')':
    case ':': to = kEmuDg410; break;
    case '4': to = kEmuWy60; break;
    case '6': to = kEmuVt52; break;
    case ';': to = kEmuVt100; break;
    case '<':
    case 'B': to = kEmuVt500Bit7; break;
    case '=':
    case 'C': to = kEmuVt500Bit8; break;
    case '@': to = kEmuWy50; break;
    case ']': to = kEmuScoConsole; break;
    default: return;
    }
    RequestEmulation(EmulationId, to);
}
