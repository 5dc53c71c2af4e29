// 3270 buffer addresses: the wire forms (14-bit, 12-bit coded, 16-bit), stepping through
// the buffer in the normal and the mirrored (right-to-left) layout, and the field
// attribute that governs a position.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

// The 3270 six-bit code: the byte that stands for each 6-bit value, in addresses sent
// to the host and in field attribute bytes.
extern const u8 kSixBitCode[64];

inline bool IsMirrored(const I3270Session& s)
{
    return (s.direction & 0x04) != 0;
}
// The cell of the host's address in the session's layout (and back: it is its own
// inverse).
i32 MirrorAddress(const I3270Session& s, i32 address);
// The address where the screen starts: 0, mirrored the right end of row 0.
i32 FirstAddress(const I3270Session& s);
i32 StepForward(const I3270Session& s, i32 address);
i32 StepBackward(const I3270Session& s, i32 address);
// Steps of the input direction: mirrored while a reversed-input bit is set.
i32 InputForward(const I3270Session& s, i32 address);
i32 InputBackward(const I3270Session& s, i32 address);

// The attribute governing an address: itself when it is one, else the nearest one
// behind it (wrapping); -1 on an unformatted buffer or outside data-stream mode.
i32 GoverningAttribute(const I3270Session& s, i32 address);
// The first attribute at or after an address (forward, wrapping); the address itself
// when there is none.
i32 NextAttribute(const I3270Session& s, i32 address);
// The cell of the governing attribute, or the session's default attribute cell.
const HostCell& GoverningCell(const I3270Session& s, i32 address);
// True when the buffer holds at least one field attribute.
bool IsFormatted(const I3270Session& s);

// Reads a 2-byte address at `p`; advances p and remaining. 0 or 752/754.
u32 I3270ReadAddress(const I3270Session& s, const u8*& p, int& remaining, i32& result);
// The two bytes an address is sent as (mirrored back first).
void EncodeAddress(const I3270Session& s, i32 address, u8 out[2]);
