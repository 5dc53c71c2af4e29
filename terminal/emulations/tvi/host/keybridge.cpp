// What the host's sequences ask of the keyboard's tables and of the line and the core.
// The sequences that load keys are read to their end here, so that their bytes never
// reach the screen.
#include "terminal/emulations/tvi/host/hostpath.h"
#include "terminal/emulations/tvi/lifecycle.h"

void TviDefaultKeys(bool, bool) {}

void TviEditSetChanged() {}

void TviHostLoadFunctionKeys()
{
    // ESC | blank, or keys up to EM; DLE takes the next byte literally.
    const int first = TviNextByte();
    if (first < 0 || first == ' ')
        return;
    for (;;) {
        const int b = TviNextByte();
        if (b < 0 || b == 0x19)
            return;
        if (b == 0x10 && TviNextByte() < 0)
            return;
    }
}

void TviHostLoadEditKey()
{
    const int k = TviNextByte();
    if (k == '1' || k == '2') {
        TviNextByte();
        return;
    }
    if ((k >= '@' && k <= 'S') || (k >= '`' && k <= 's'))
        for (int i = 0; i < 3 && TviNextByte() >= 0; ++i) {
        }
}

void TviHostLoadEditKeys()
{
    if (TviNextByte() < 0)
        return;
    for (int i = 0; i < 60 && TviNextByte() >= 0; ++i) {
    }
}

void TviRunKey(int) {}

void TviSelectBank(int bank)
{
    Tvi.functionKeys.current = static_cast<u8>(bank);
}

void TviSetDataBits(bool) {}

void TviSetKeyRepeat(bool) {}

void TviSetCursorShape(int) {}

void TviSaveInstance() {}
