// The telnet terminal type of the HP 700/92 emulation, by its terminal model.
#pragma once

#include "terminal/core/base/vxtypes.h"

// hp_termid: 0-4 HP2392A, HP70092, HP2622A, HP70094, HP70096; any other value HP2622A.
extern u8 HpModel;
// The model's name, 8-bit, into `buffer`; returns its length.
int HpTerminalTypeName(char* buffer, int capacity);
