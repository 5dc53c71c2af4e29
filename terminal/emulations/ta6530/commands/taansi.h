// The TA6530's ANSI mode: a table-driven escape parser on the core's walker, over the
// 24-line ANSI page.
#pragma once

#include "terminal/core/base/vxtypes.h"

// ESC in ANSI mode: one sequence, its bytes read through the emulation's fetch.
void TaEnterAnsiParser();
// A C1 byte 128-159: as ESC and the byte minus 64.
void TaAnsiC1(u8 byte);
