// Switching between the 24 emulations; always carried out on the user-interface thread.
#pragma once

#include "terminal/core/vxtypes.h"

constexpr u8 kDefaultEmulationId = 2;  // "VT500 7-Bit"
constexpr u8 kNoEmulation = 0xFF;

// Records a switch request; the message filter carries it out between messages.
void RequestEmulation(u8 id);
void SelectEmulation(u8 from, u8 to);
