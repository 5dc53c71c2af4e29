// Entering and leaving the family, the full initialisation and reset, the mode reset,
// the column count and the screen-wide display switches.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Builds the store for the personality now in EmulationId and initialises it; false
// when memory ran out (the family is then left again and the core has its lines back).
bool WyseStart();
void LeaveWyse();
// The full initialisation (the reset command): modes, settings loaded, the character
// banks, the screen rebuilt.
void WyseInitTerminal();
void WyseResetModes();
// 79 or 131; refused above 79 while economy is on.
void WyseSetColumns(int lastColumn);
// The reverse-screen flag; the screen is painted again when it changed.
void WyseSetDisplayFlag(u8 reverse);
void WyseSetScreenDisplay(bool on);
