// The TA6530's per-byte entry and its control characters.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The family's per-byte entry: display bytes to the page, controls to their commands;
// negative values are ignored.
void Ta6530ProcessChar(int value);
void TaControlChar(u8 byte);
// SOH ... ETX check in conversational and ANSI modes: the mode block.
void TaSohCommand();
