// The per-byte entry of the DEC VT and ANSI console family and its character writer:
// a received byte is either a control (executed), an 8-bit C1 control, or a character
// that is mapped through the invoked character set and written at the cursor.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The per-byte entry: a control, an 8-bit C1 control or a character to write.
void VtProcessChar(int c);
// Writes one printable character at the cursor and advances it.
void VtWriteChar(int c);

struct MappedChar {
    u8 ch;
    u8 glyphSet;
};
// Applies the invoked character set (single shift, GL or GR); leaves the glyph set in
// the current flags and clears the single shift.
u8 MapCharByGSet(int c);
MappedChar MapCharByDesignation(int c, int designation, bool set96);
void ResetControlTracker();
