#include "terminal/emulations/dec/services.h"

int Vt420ViewMode()
{
    return 0;
}

u8 VtLocalEditFlag = 0;
u8 TerminalId = 0;
