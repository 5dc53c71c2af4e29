// What the connection code uses of the Wyse and TeleVideo emulations.
#pragma once

#include "terminal/core/base/vxtypes.h"

extern u8 WyseBlockMode;  // block mode: BREAK then sends no more

// The families' sections of the profile (ZARA, TVI955); `fullReload` is 1 while a full
// reload is in progress. TVI loads its section when it is entered.
void SaveWyseSettings(int fullReload);
void LoadWyseSettings();
void SaveTviSettings();
