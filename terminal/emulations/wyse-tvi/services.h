// What the connection code uses of the Wyse and TeleVideo emulations.
#pragma once

#include "terminal/core/vxtypes.h"

extern u8 WyseBlockMode;  // block mode: BREAK then sends no more
