#include "terminal/emulations/hp-ibm3151/services.h"

u8 HpModel = 1;
u8 HpBlockMode = 0;

// The IBM 3151 emulation is not built yet: it has no pages.
bool I3151IsCurrentPageFormatted()
{
    return false;
}
