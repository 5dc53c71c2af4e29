// The screen operations the escape handlers are built from: filling and clearing,
// inserting and deleting cells, attribute runs, rectangles and boxes, and tabbing over
// protected fields. All of them work on the active window's page from the cursor and
// repaint through the repaint map.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Fills from the cursor to (endLine, endColumn); later lines start at column 0. With
// `stopAtProtected` the fill ends at the first protected cell, else protected cells
// are skipped; with `setAttributes` the cells also take the attribute and colour.
void WyseFillArea(u8 character, u8 attribute, int endLine, bool stopAtProtected, int endColumn,
                  bool setAttributes);
void WyseClearToEndOfLine(u8 character, u8 attribute);
void WyseClearToEndOfLineAll(u8 character, u8 attribute);
void WyseClearToEndOfRegion(u8 character, u8 attribute);
void WyseClearRegion(u8 character, u8 attribute);
// Shifts the unprotected run at a cell one cell right (the last cell is lost) or left.
void WyseInsertCell(int line, int column, u8 character);
void WyseDeleteCell(int line, int column);
// The character model's ESC G: the current attribute from the cursor over the run of
// like cells (attribute type 0 to the region's end, 1 to the line's end, 2 nowhere).
void WyseApplyAttributeRun(u8 attribute);
void WyseFillColumn(u8 character);
void WyseFillRectangle(bool skipProtected);
void WyseDrawBox(int line0, int column0, int line1, int column1);
void WyseTabForward();
void WyseTabBackward();
// Reads a cursor address (row, then column, the long-column form) as WyseEscAddressCursor
// takes it; false when a byte was missing.
bool WyseReadAddress(int* row, int* column, bool longColumn);
