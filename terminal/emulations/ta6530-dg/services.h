// What the connection code uses of the TA6530 and DG 410/412 emulations.
#pragma once

#include "terminal/core/base/vxtypes.h"

// 0 conversational, 1 block, 2 protected block, 3 ANSI.
extern u8 Ta6530Mode;

// The families' sections of the profile (TA6530, DG410). DG loads its colours when it
// is entered.
void SaveTa6530Settings();
void LoadTa6530Settings();
void SaveDgColours();
