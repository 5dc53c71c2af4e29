// The character a TA6530 cell shows, as painting, copying and the screen dump take it.
#pragma once

#include "terminal/core/screen/screenstore.h"

// Attribute and invisible cells and codes without a glyph show as blanks; the line
// codes 128-156 as shades, blocks and box pieces; the rest through the character set.
u16 TaCellUnicode(const ScreenCell& cell);
