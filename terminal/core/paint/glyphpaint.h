// Drawing characters from the program's glyph bitmaps: the line-drawing, technical,
// control-picture and glyph-set-6 painters of the row painter, the IBM symbols, the
// soft font, and the monochrome line painter of a family's line-drawn font. Each draws a run of
// characters one cell apart from the rectangle's left edge, in the current text colour
// on the current background colour of the screen device context.
#pragma once

#include "terminal/core/base/win32.h"

// A glyph resource of the program, found, loaded and locked on first use and kept;
// nullptr when it is missing. `size` gets its byte count.
const u8* GlyphResource(int resourceId, DWORD* size);

void DrawSymbolGlyphs(const RECT& rect, const wchar_t* text, int count);
void DrawLineDrawingGlyphs(const RECT& rect, const wchar_t* text, int count);
// The same set by glyph index (0..kLineDrawingGlyphCount-1; other values draw blanks),
// for an emulation whose line-drawing codes name places of their own in it.
void DrawLineDrawingIndexes(const RECT& rect, const wchar_t* indexes, int count);
void DrawResourceFontGlyphs(const RECT& rect, const wchar_t* text, int count);
void DrawBitmapGlyph(const RECT& rect, const wchar_t* text, int count);
// One glyph per byte (index = byte) of a resource of glyphWidth x glyphHeight glyphs,
// each stretched to fill its cell.
void DrawResourceGlyph(const u8* bytes, int count, const RECT& rect, int resourceId, int glyphWidth,
                       int glyphHeight);
// Characters of the downloaded soft font at (x, row x line height).
void PaintSoftFontRun(int row, int x, const wchar_t* text, int count);

// Glyph row copies: inverted (17 or 20 rows), or byte-swapped and inverted.
void InvertGlyphRows(u16* target, const u16* source);
void InvertGlyphRows20(u16* target, const u16* source);
void CopyGlyphRows17(u16* target, const u16* source);
void CopySoftFontGlyph(u16* target, const u16* source);

void InvertCellRect(HDC dc, const RECT& rect);
// The monochrome glyph painter: rows of glyphWidth pixels, most significant bit first,
// each row padded to whole bytes; ink drawn as horizontal rules in the text colour.
void DrawGlyphBitmap(int x, int y, int cellWidth, int cellHeight, const u8* bits, int glyphWidth, int glyphHeight,
                     u8 lineFlags);
