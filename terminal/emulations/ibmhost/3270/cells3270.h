// The 3270 cell store: writes into the buffer mark cells for repaint, and the display
// update turns marked cells into display cells and paints the changed spans.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

void I3270WriteAttributeCell(I3270Session* s, i32 address, const HostCell& cell);
// Writes a character with the given extended attributes (bytes 2-4 of `attributes`).
void I3270WriteCell(I3270Session* s, i32 address, const HostCell& attributes, u8 character, bool graphicEscape);
// Clears a character cell to five zero bytes (marked for repaint).
void I3270ClearCell(I3270Session* s, i32 address);
// Marks the cells after an address up to the next attribute for repaint.
void I3270MarkFieldRepaint(I3270Session* s, i32 address);
// Marks one cell for repaint.
void I3270MarkCell(I3270Session* s, i32 address);
void I3270MarkAllCells(I3270Session* s);

void I3270BuildDisplayCell(const I3270Session* s, HostDisplayCell& out, const HostCell& governing,
                           const HostCell& cell);
void I3270UpdateDisplay(I3270Session* s);
void I3270RepaintScreen(I3270Session* s);
void I3270RepaintRows(I3270Session* s, int first, int last);
void I3270ClearCells(I3270Session* s);
void I3270FillDisplayRows(I3270Session* s, const HostDisplayCell& cell);
// Row and column of a buffer address in the current geometry.
// clang-format off
inline int RowOf(const I3270Session* s, i32 address) { return address / s->current.columns; }
inline int ColumnOf(const I3270Session* s, i32 address) { return address % s->current.columns; }
// clang-format on
// Character (NVT) mode past the last row: every row moves up one, the last one blank.
void I3270ScrollCellsUp(I3270Session* s);
