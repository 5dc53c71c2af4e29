// The glyph resources the painters draw from, and where a cell's character finds its
// glyph in them. Every index is checked against its resource's glyph count: a cell
// holding a stray code draws a blank, never memory past the resource.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Resource ids (RCDATA) and their glyph counts.
constexpr int kResLineDrawingGlyphs = 800;  // 9 x 17, glyph set 3
constexpr int kResSymbolGlyphs = 801;       // 10 x 20, glyph set 2, characters 33-126
constexpr int kResHostSymbolGlyphs = 802;   // 9 x 17, the IBM host emulations' symbols
constexpr int kResControlGlyphs = 803;      // 9 x 17, control pictures 0-31
constexpr int kResHpAlternateGlyphs = 804;  // 9 x 17, the HP alternate set
constexpr int kResBitmapGlyphs = 805;       // 9 x 17 in 16-pixel rows, glyph set 6
constexpr int kResSymbolMap = 806;
constexpr int kResLineDrawingMap = 807;
constexpr int kResBitmapGlyphMap = 808;

constexpr int kLineDrawingGlyphCount = 146;
constexpr int kSymbolGlyphCount = 94;
constexpr int kControlGlyphCount = 32;
constexpr int kHpAlternateGlyphCount = 65;
constexpr int kBitmapGlyphCount = 243;

// A map entry that asks for the bitmap instead of a character of the terminal font.
constexpr u16 kDrawBitmap = 0xFFFF;

// Line-drawing set: DEC special graphics 95-126 at 0-31, code page 437's graphics
// 176-254 at 32-110, and a few single characters. -1 draws a blank.
int LineDrawingMapIndex(u16 c);
// The same, where the bitmap of two characters has a place of its own.
int LineDrawingBitmapIndex(u16 c);
// Technical symbols 33-126 at 0-93; -1 otherwise.
int SymbolGlyphIndex(u16 c);
// Control pictures of the codes 0-31; -1 otherwise.
int ControlGlyphIndex(u16 c);
// Glyph set 6: the code is the index; -1 past the resource.
int BitmapGlyphIndex(u16 c);

// The character each glyph-set-6 code stands for. Codes 0-31 are the PC control
// symbols, 32 the blank, 33-111 code page 437's 177-255 (code + 144), 112 its light
// shade (176), then the other characters of code pages 437, 850 and 852 that Latin-1
// lacks. Emulations that show those characters store their glyph-set-6 code.
extern const u16 kBitmapGlyphChars[kBitmapGlyphCount];
// The glyph-set-6 code of a character, -1 when the set has none.
int BitmapGlyphCodeFor(u16 unicode);
