// The parameters of a DG ANSI-mode sequence: up to 256 slots of a value and a marker.
// Values are built digit by digit and saturate at the limits of 32 bits instead of
// wrapping, so a long run of digits is the largest value, never a negative one.
#pragma once

#include "terminal/core/base/vxtypes.h"

// A new sequence: one empty slot, no marker.
void DgParamsStart();
// A digit (or a byte taken as one: 0x21-0x27 count as negative digits).
void DgParamAccumulate(int digit);
// ';': the next slot, which takes the marker in force; nothing past 256 slots.
void DgParamNext();
// '<' '=' '>' '?': the marker in force and the current slot's.
void DgParamMarkerByte(u8 marker);

int DgParamCount();
// Slot i's value (0 for a slot not given) and marker.
i32 DgParam(int i);
u8 DgParamMarker(int i);
// The marker in force (' ' when none was given).
u8 DgMarker();
