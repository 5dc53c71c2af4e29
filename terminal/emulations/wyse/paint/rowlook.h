// What each cell of a Wyse screen row is painted with: the glyph, the colours and the
// effects, after the attribute in effect (the embedded model's attribute cells govern
// the cells after them, with attribute type 0 across rows) and the colour set.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

struct WysePaintCell {
    u16 glyph;  // the glyph code (charsets.h)
    u8 foreground, background;
    u8 effects;  // kWyUnderline, kWyBlink, kWyBlank
};

// The attribute in effect at the start of each screen row (0 for the status and label
// rows), computed once for a frame.
void WyseRowCarries(u8 (&carry)[kWyseScreenRows]);
// The looks of cells 0..count-1 of a screen row.
void WyseRowLooks(int row, u8 carry, WysePaintCell* out, int count);
