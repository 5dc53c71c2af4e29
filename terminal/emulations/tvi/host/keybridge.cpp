// What the host's sequences ask of the keyboard's tables and of the line and the core.
// The sequences that load keys are read to their end here, so that their bytes never
// reach the screen.
#include "terminal/comms/serial/serial.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/tvi/host/hostpath.h"
#include "terminal/emulations/tvi/keys/editkeys.h"
#include "terminal/emulations/tvi/keys/fkeys.h"
#include "terminal/emulations/tvi/keys/hostload.h"
#include "terminal/emulations/tvi/keys/tvikeys.h"
#include "terminal/emulations/tvi/lifecycle.h"

void TviDefaultKeys(bool functionKeys, bool editKeys)
{
    if (functionKeys)
        TviDefaultFunctionKeys(kTviLiveKeys);
    if (editKeys)
        TviDefaultEditKeys(kTviLiveKeys);
}

void TviEditSetChanged()
{
    TviDefaultEditKeys(kTviLiveKeys);
}

void TviHostLoadFunctionKeys()
{
    TviLoadFunctionKeys(TviNextByte(), TviNextByte);
}

void TviHostLoadEditKey()
{
    TviLoadEditKey(TviNextByte);
}

void TviHostLoadEditKeys()
{
    TviLoadEditKeys(TviNextByte);
}

void TviRunKey(int key)
{
    TviRunFunctionKey(key);
}

void TviSelectBank(int bank)
{
    TviSelectFunctionKeyBank(bank, kTviLiveKeys);
}

// CSI = 1 h / l: 8 or 7 data bits; a serial line is opened again with them.
void TviSetDataBits(bool eight)
{
    ConnectionValues.comdatab = eight ? 2 : 1;
    DataBitsSetting = ConnectionValues.comdatab;
    if (Connection.netproto == 1) {
        RequestSerialClose();
        RequestSerialConnection();
    }
}

// CSI = 8 h / l: the keys' auto-repeat.
void TviSetKeyRepeat(bool on)
{
    Vt300Values.kbdrpt = on ? 1 : 0;
}

// CSI 0 ; n v: the program's cursor shape setting.
void TviSetCursorShape(int shape)
{
    if (shape >= 0 && shape <= 4)
        Vt300Values.curstyle = static_cast<u8>(shape);
}

// CSI 0 ; 1 }: the session is saved, as the Save command does.
void TviSaveInstance()
{
    PostMainCommand(kCmdSave);
}
