// The IBM 3151's character sets: what a byte written to a page stores (its code and
// glyph set) under the page's G0 and G1 sets, and the Unicode character a cell shows.
#pragma once

#include "terminal/emulations/ibm3151/i3151.h"

// Set numbers of G0 and G1.
constexpr u8 kI51SetNational = 0, kI51SetLines = 1, kI51SetUpperHalf = 2, kI51Set437 = 3, kI51Set850 = 4,
             kI51Set858 = 5, kI51Set852 = 6, kI51Set1250 = 7;

// The PC code page the character mode selects (437, 850, 852, 858, 1250), 0 for none.
int I3151PcCodePage();
// The set ESC < B and ESC > B select: the national set of that code page.
u8 I3151NationalSet();
// The start sets of a page: G0 the national default, G1 by the code page (upper half
// with eight data bits, else line drawing without one), shift to G0.
void I3151SelectCodePage(I3151PageRecord* page);

// The cell a byte becomes under the page's sets: character code and glyph set (the
// flags byte's low bits).
struct I3151Glyph {
    u8 code;
    u8 glyphSet;
};
I3151Glyph I3151TranslateByte(const I3151PageRecord* page, u8 byte);

// The character a cell shows (0 when it shows a glyph of the line-drawing or
// control-picture resources: glyph sets 4 and 5 keep their code).
u16 I3151CellToUnicode(u8 rendition, u8 code, u8 glyphSet, bool blinkOff);
// The line-drawing glyph of a code (its low 7 bits), -1 for a blank.
int I3151LineGlyphIndex(u8 code);
