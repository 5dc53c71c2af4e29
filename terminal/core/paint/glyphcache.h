// Rendered cells, kept per character, glyph set, font and colours. Drawing text into
// the picture through GDI costs a call per run (under Wine, many microseconds); a cell
// that has been drawn once is kept as its pixels and copied into the picture from then
// on. The cache is emptied whenever the font, the cell size or the palette changes, and
// when it is full.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Everything a cell's pixels depend on besides the font and cell size.
struct GlyphKey {
    u16 ch;
    u8 glyphSet, fontFlags;
    u8 foreground, background;  // palette indexes as drawn (after reverse screen)
    bool control, underline, displayOff;
};

// Copies the cell kept for `key` into the picture at (x, y), `width` by `height` pixels;
// false when it is not kept.
bool DrawCachedGlyph(const GlyphKey& key, int x, int y, int width, int height);
// Keeps the cell just drawn into the picture at (x, y) for `key`.
void KeepGlyph(const GlyphKey& key, int x, int y, int width, int height);
void InvalidateGlyphCache();
// Cells kept, and the lookups answered from the cache (for the tests).
int CachedGlyphCount();
u64 GlyphCacheHits();
