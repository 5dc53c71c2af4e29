// EBCDIC national variants: the code point of the same character in CCSID 37 for the
// characters a national code page moves, so checks written for CCSID 37 hold for every
// page.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The CCSID 37 byte of a byte of `ccsid`; 0 for a byte the page does not move, or a
// CCSID without a table (callers then keep their byte).
u8 ApplyEbcdicNationalVariant(u8 byte, u16 ccsid);
// The reverse: the byte of `ccsid` that holds the character at a CCSID 37 position; 0
// when the page does not move it (or has no table).
u8 EbcdicNationalVariantOf(u8 byte37, u16 ccsid);
