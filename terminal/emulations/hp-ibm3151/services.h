// What the connection code uses of the HP 700/92 and IBM 3151 emulations.
#pragma once

#include "terminal/core/base/vxtypes.h"

extern u8 HpModel;       // 0-4: HP2392A, HP70092, HP2622A, HP70094, HP70096
extern u8 HpBlockMode;   // block mode: BREAK then sends no more
// Whether the IBM 3151's current page is formatted (BREAK then sends no more).
bool I3151IsCurrentPageFormatted();

// ESC & reached from the DEC escape table: reads the rest of an HP ESC & sequence (up to
// its first byte without bit 0x20) and applies it.
void HpAmpersandEscape();
// The families' sections of the profile (HP70092, IBM3151); `fullReload` is 1 while a
// full reload is in progress.
void Hp700SaveSettings();
void Hp700LoadSettings();
void I3151SaveSettings(int fullReload);
void I3151LoadSettings();
