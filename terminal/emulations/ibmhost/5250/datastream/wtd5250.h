// Write To Display: its two control characters and the orders that build the 5250
// screen and its format table. Every function returns 0 or a sense code; what was
// written before an error stays.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// The command's parameters at `p`; `remaining` is reduced by what it used (it stops at
// an escape byte 0x04, which starts the next command).
u32 I5250WriteToDisplay(I5250Session* s, const u8*& p, int& remaining);
void I5250ApplyControlByte1(I5250Session* s, u8 cc1);
void I5250ApplyControlByte2(I5250Session* s, u8 cc2);
// A write or read in input state 4 or 8 is refused; state 1 becomes 3.
u32 I5250StateRule(I5250Session* s);
// Writes an extended attribute (type 1: byte 2, 2: byte 3, 3: byte 4) at an address and
// over the run that follows it, up to the next start of a run.
void I5250WriteExtendedAttribute(I5250Session* s, i32 address, int type, u8 value);
