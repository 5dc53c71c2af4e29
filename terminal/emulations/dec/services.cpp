#include "terminal/emulations/dec/services.h"

int Vt420ViewMode()
{
    return 0;
}

u8 VtLocalEditFlag = 0;
u8 TerminalId = 0;

// No soft font can be loaded until the VT emulation's font loader exists.
const SoftFontGlyphs* CurrentSoftFont()
{
    return nullptr;
}
