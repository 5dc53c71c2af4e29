// The TeleVideo's Alt keys.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The character a TVI Alt key sends (keypad, OEM, letters and digits by the US layout),
// -2 for a key that is taken without sending anything, -1 for a key that is not an Alt
// key (keys below 20 hex, Alt itself).
int TviAltKeyCharacter(int virtualKey, u32 shift);
// An Alt key pressed: queues SOH, its character and CR as typed text; false when the
// key has none (it is then left to the key filter).
bool TviAltKey(int virtualKey, u32 shift);
