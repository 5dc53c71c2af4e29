// The per-byte entry of the DEC VT and ANSI console family and its character writer:
// a received byte is either a control (executed), an 8-bit C1 control, or a character
// that is mapped through the invoked character set and written at the cursor.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The per-byte entry: a control, an 8-bit C1 control or a character to write.
void VtProcessChar(int c);
// Writes one printable character at the cursor and advances it.
void VtWriteChar(int c);
// Writes the leading printable characters (0x20-0x7E) of bytes[0..n) as VtProcessChar
// would, one after another, while none of them needs more than a translation and a
// cell (no wrap, local editing, shown controls ...); returns how many it wrote,
// 0 when the first must go through VtProcessChar.
int VtWriteText(const u8* bytes, int n);

struct MappedChar {
    u8 ch;
    u8 glyphSet;
};
// Applies the invoked character set (single shift, GL or GR); leaves the glyph set in
// the current flags and clears the single shift.
u8 MapCharByGSet(int c);
MappedChar MapCharByDesignation(int c, int designation, bool set96);
void ResetControlTracker();
