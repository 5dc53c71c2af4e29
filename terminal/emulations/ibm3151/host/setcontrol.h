// The set-control bytes the host writes (ESC SP 9 ... ESC & 9) and reads back (ESC SP
// 7 ... ESC & 7). A list of parameter bytes ends with the first byte that has bit 6
// set; when that last byte also has bit 5 it is an operator on the values before it
// (assign, OR or AND), else the values are stored as they are.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kI3151ParameterBytes = 256;

bool I3151IsOperator(u8 byte);
// `current` assigned, ORed or ANDed with `value` by the operator's low five bits; any
// other operator leaves it.
u8 I3151ApplyOperator(u8 op, u8 current, u8 value);
// The fixed bits every store ORs into set-control byte `index` (0..16).
u8 I3151FixedBits(int index);

// Reads a parameter list from the host into `out`: its length, or -1 when the read was
// abandoned or the list ran past the buffer (the bytes read are consumed).
int I3151ReadParameterList(u8* out);

// Control 1-7 set from a list; a list longer than the control takes changes nothing.
void I3151SetControl(int control, const u8* values, int count);
// The reply to "read control" 1-7 without the turnaround: its units into `out`
// (capacity 8), their count.
int I3151ControlReport(int control, u16* out);
// Byte 9's turnaround code gives the turnaround character again.
void I3151DeriveTurnaround();
