// What the host's sequences ask of the keyboard's tables and of the line and the core.
// The sequences that load keys are read to their end here, so that their bytes never
// reach the screen.
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

void TviSetDataBits(bool) {}

void TviSetKeyRepeat(bool) {}

void TviSetCursorShape(int) {}

void TviSaveInstance() {}
