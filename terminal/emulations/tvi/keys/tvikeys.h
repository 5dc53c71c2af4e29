// The TVI keyboard: the key map the core's dispatcher calls, and what the keys send.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

// One special key with its shift state (0 none, 1 Shift, 2 Ctrl, 3 Ctrl and Shift, 4 Alt);
// a key or shift state the map does not list does nothing.
void TviKeyHandler(int keyCode, int shift);
// Runs function key 0-32 of the live current bank: its text goes to the host unit by unit
// and/or through the screen as if received, as its flags say.
void TviRunFunctionKey(int key);
// Editing entry 0-39: its units as typed input, or as host input (acted on at once,
// never sent) while the editing keys act locally (ESC k).
void TviSendEditKey(int entry);
// SOH, the character and CR to the host as one block.
void TviSendFunctionKey(u16 character);
