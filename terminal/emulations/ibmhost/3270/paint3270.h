// Painting a 3270 session's display rows into the screen window: runs of cells that
// look alike are filled and drawn in one call, symbols from the program's bitmaps.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

// The colours and rendition a display cell paints with on a screen row or the status
// row: foreground and background palette indexes, the highlight class left after the
// attribute colours gate it.
struct CellLook {
    int foreground, background;
    u8 rendition;
};
CellLook I3270MapCellColours(const I3270Session* s, int row, const HostDisplayCell& cell);
// Whether a display cell shows a character (not an attribute, not null or blank, not
// in a non-display field).
bool I3270CellVisible(const HostDisplayCell& cell);
void I3270RedrawBlinking(I3270Session* s);
// The block cursor: whether it is drawn on a row span, and its cell inverted.
bool I3270CursorDrawnAt(int row, int first, int last);
void I3270InvertCursorCell(const I3270Session* s);
