// The generic row painter of the shared screen store and its helpers (the Win32 side of
// the display services, core/screen/display.h).
#pragma once

#include "terminal/core/screen/display.h"
#include "terminal/core/base/win32.h"

struct ScreenLineRecord;

// True when the rows are painted by PaintGenericRow, not by an emulation's own painter.
bool GenericRowPainterActive();
// Paints window columns c0..c1 of a row; `cells` points at the cell in window column 0.
void PaintGenericRow(const ScreenCell* cells, int row, int c0, int c1, u8 lineFlags);
// One run of `count` characters at pixel (x, y), one cell apart.
void PaintCellRun(int x, int y, const wchar_t* text, int count, int pixelWidth, u8 rendition, u8 colour, u8 marked,
                  u8 glyphSet, bool controlGlyphs, u8 fontFlags);
// Sets the screen device context's colours for a cell.
void ApplyCellColours(int row, bool marked, u8 rendition, u8 colour);
// The palette index of the screen background of the active emulation.
int ScreenBackgroundIndex();
// Fills a rectangle with the active emulation's background colour.
void FillRectBackground(HDC dc, const RECT* rect);
// Fills with the screen background: a rectangle of the screen window (null = all of
// it), or the main window's client area.
void FillScreenBackground(const RECT* rect);
void FillWindowBackground();

// The window row the text cursor is drawn on, -1 when it is not on the shown page.
int CursorWindowRow();

// What of the store's line a window row shows: the line, the first cell shown (the
// horizontal view offset) and the window columns to paint (a double-width line whole).
struct StoreRowSegment {
    const ScreenLineRecord* line;
    int offset, c0, c1;
    u8 lineFlags;
};
// False for a row past the screen or without a line.
bool FindStoreRowSegment(int row, int c0, int c1, StoreRowSegment* segment);
