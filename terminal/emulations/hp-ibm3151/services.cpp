#include "terminal/emulations/hp-ibm3151/services.h"

#include "terminal/emulations/dec/services.h"

u8 HpModel = 1;
u8 HpBlockMode = 0;

// The IBM 3151 emulation is not built yet: it has no pages.
bool I3151IsCurrentPageFormatted()
{
    return false;
}

// Until the HP emulation exists the sequence is read to its end and changes nothing.
void HpAmpersandEscape()
{
    for (int b = NextSequenceByte(); b != 0 && (b & 0x20); b = NextSequenceByte()) {
    }
}

// Neither emulation is built yet: there are no settings of theirs to save or load.
void Hp700SaveSettings() {}
void Hp700LoadSettings() {}
void I3151SaveSettings(int) {}
void I3151LoadSettings() {}
