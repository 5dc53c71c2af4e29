// The TVI keyboard: the key map the core's dispatcher calls, the programmable function
// keys and the editing keys.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

// One special key with its shift state (0 none, 1 Shift, 2 Ctrl, 3 Ctrl and Shift, 4 Alt).
void TviKeyHandler(int keyCode, int shift);
