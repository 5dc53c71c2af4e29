// The IBM 3151's byte path: the generic reader hands every input byte (received, or
// typed in a mode that processes keys locally) to I3151ProcessChar; the dispatchers
// pull the rest of a sequence through I3151NextByte, so one call consumes a whole
// sequence.
#pragma once

#include "terminal/emulations/ibm3151/i3151.h"

constexpr u8 kI51Nul = 0x00, kI51Etx = 0x03, kI51Bel = 0x07, kI51Bs = 0x08, kI51Ht = 0x09, kI51Lf = 0x0A;
constexpr u8 kI51Cr = 0x0D, kI51Dle = 0x10, kI51Stx = 0x02, kI51Eot = 0x04, kI51Dc2 = 0x12, kI51Dc4 = 0x14;
constexpr u8 kI51Can = 0x18, kI51Sub = 0x1A, kI51Esc = 0x1B, kI51Rs = 0x1E, kI51Soh = 0x01;

// One input value of the reader (negative values are not bytes and are ignored).
void I3151ProcessChar(int value);
// The next byte of a sequence, or a negative value: the reader stopped, was held or
// handed over, and the sequence is abandoned. A host NUL is a byte like any other.
int I3151NextByte();
// An ESC met inside a sequence ends it and starts the next one.
void I3151GiveBackEscape();

// A byte typed in block mode that the keyboard refuses (a control other than BEL to
// DLE, CAN and ESC): INVALID KEY and a bell; true when it was refused.
bool I3151RefuseTypedByte(int byte);

// The dispatchers.
void I3151DispatchControl(I3151PageRecord* page, u8 byte);
void I3151DispatchEscape(I3151PageRecord* page);
void I3151DispatchEscapeGroup(I3151PageRecord* page, u8 group);
void I3151ParseCsi(I3151PageRecord* page);
// The byte after DLE: transparent display on or off, printer pass-through.
void I3151DleHandler(I3151PageRecord* page);

// A reply: ESC, the letters and the turnaround go straight to the host in every mode.
void I3151SendReply(const u16* units, int count, bool turnaround);
