// The fetch: host bytes come through the core's buffered reader; typed bytes through
// the family's own keyboard side, which runs the key events itself (the Wyse keys,
// the keyboard lock, the function-code request) and decides by the keyboard transmit
// state whether a typed byte goes to the host, to the screen, or both.
#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/keys/wysekeys.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keyevents.h"

namespace {

// The reader is handed a typed byte to process as if received.
bool g_typedByteDue = false;

int Mask(int b)
{
    return WyIsWy60() ? b & 0xFF : b & 0x7F;
}

bool Running()
{
    return WyseStoreActive() && IsWyseFamily(EmulationId);
}

}  // namespace

void WyseSendByte(u8 byte)
{
    HostSendChar(byte);
}

void WyseSendBytes(const u16* units, int count)
{
    HostSendString(units, count);
}

void WyseSendAck()
{
    if (WySet.sendAck && !WyMode.keyPending)
        WyseSendByte(0x06);
}

int WyseKeyboardByte()
{
    WyMode.keyPending = 1;
    if (KeyStringActive()) {
        const int unit = NextKeyStringUnit();
        if (unit >= 0)
            return unit & 0xFF;
    }
    if (KeyboardStackCount() > 0) {
        const int unit = PopKeyboardInput();
        if (unit >= 0)
            return unit & 0xFF;
    }
    int value = -1, extra = -1;
    const int type = ExecuteInputEvent(value, extra, true);
    if (type == -1)
        return -1;
    if (WyMode.keyboardLocked) {
        RequestBell();
        return -1;
    }
    if (type == 3) {
        WyseKeyFunction(value, extra);
        return -1;
    }
    if (WyMode.functionCodeRequest) {
        WyMode.functionCodeRequest = 0;
        WyseSendFunctionCode(value);
        return -1;
    }
    int c = TranslateTypedChar(value);
    if (c < 0)
        return -1;
    return WyIsWy60() ? (c | WyMode.highBit) & 0xFF : c & 0x7F;
}

int WyseTakeTypedByte()
{
    if (!IsKeyboardInputPending()) {
        KeyStringSendType = 0;
        return -1;
    }
    const int b = WyseKeyboardByte();
    if (b < 0) {
        WyMode.keyPending = 0;
        return -1;
    }
    switch (KeyStringSendType.load()) {
    case 0:
        if (LocalMode || WySet.inEdit)
            return b;
        break;
    case 1:
        if (LocalMode) {
            WyMode.keyPending = 0;
            return -1;
        }
        break;
    case 2: return b;
    default: WyMode.keyPending = 0; return -1;
    }
    WyseSendByte(static_cast<u8>(b));
    WyMode.keyPending = 0;
    return LocalEcho ? b : -1;
}

int WyseReaderKeyboardByte()
{
    if (!Running())
        return -1;
    const int b = WyseTakeTypedByte();
    if (b >= 0)
        g_typedByteDue = true;
    return b;
}

int WyseReadHostByte()
{
    if (!Running())
        return -1;
    // A sequence typed on the screen's own keyboard reads on from it.
    if (WyMode.keyPending && IsKeyboardInputPending()) {
        const int typed = WyseTakeTypedByte();
        if (typed >= 0)
            return Mask(typed);
    }
    const int b = HostReadSequenceByte();
    if (b < 0 || !Running())
        return -1;
    return Mask(b);
}

void WyseHostByte(int value)
{
    if (value < 0 || !WyseStoreActive())
        return;
    // A byte the keyboard side handed the reader was typed; everything else came from
    // the host.
    WyMode.keyPending = g_typedByteDue ? 1 : 0;
    g_typedByteDue = false;
    const int b = WysePrinterFilter(Mask(value));
    if (b >= 0)
        WyseProcessChar(static_cast<unsigned>(b));
    WyMode.keyPending = 0;
}
