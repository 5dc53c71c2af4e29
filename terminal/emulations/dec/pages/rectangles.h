// Rectangular areas of the VT420 class: the area a command's parameters name, and the
// lines of a page whether it is the active one or not.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct ScreenLineRecord;

// Rows and columns, 0-based and inclusive.
struct CellArea {
    int top, left, bottom, right;
};

// The area of the four parameters from `first` on (top, left, bottom, right, 1-based):
// absent or 0 values are the page's edges; in origin mode they count from the margins
// and stay within them; each is clamped to the page. Reversed edges are swapped; for a
// stream (from the first cell to the last) the two corners are.
CellArea AreaFromParams(int first, bool rectangle = true);
// The whole area commands may reach: the page, or within the margins in origin mode.
CellArea WholeArea();
// A position of two parameters (row, column; 0 as 1), by the same rules.
void PositionFromParams(int first, int* row, int* column);
// Pages the store holds (1 without pages).
int PageCount();
// The page a parameter names (1-based, 0 as 1), clamped to the pages there are; 0-based.
int PageFromParam(int p);
// Row `row` of page `page` (0-based), wherever that page is kept; nullptr outside it.
ScreenLineRecord* PageLine(int page, int row);
// Repaints the rows of an area when its page is the one on the glass.
void RepaintArea(int page, const CellArea& area);

struct ScreenCell;
// A cell's term of a checksum: its character, renditions and colours.
u32 CellChecksumValue(const ScreenCell& cell);
// The checksum of an area of a page.
u16 AreaChecksum(int page, const CellArea& area);
// The extent back to a stream (terminal resets).
void ResetAttributeChangeExtent();
