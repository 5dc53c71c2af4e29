// The DG keyboard (key codes and shift states as the key dispatcher gives them: bit 0
// Shift, bit 1 Ctrl, bit 2 Alt).
#pragma once

#include "terminal/core/base/vxtypes.h"

// The DG keys' names in the key-name table, which the macro editor offers.
constexpr u32 kDgFirstKeyName = 13307, kDgLastKeyName = 13342;

void DgKeyHandler(int code, int shift);
