// The display services the screen operations call: painting rows of the store,
// scrolling the painted screen instead of repainting it, the text cursor, and the scroll
// bar that shows the history. Called outside a frame (from the host-data thread, or from
// the user-interface thread between frames) they only record what changed, and the next
// frame paints it (paint/frame.h). Nothing here includes the Windows headers, so the
// engines can call it; the Win32 bodies live with the painter (core/paint/painting.cpp,
// textcursor.cpp), recording doubles in the engine tests.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct ScreenCell;

// Paints window columns c0..c1 of window row `row`; `cells` points at the cell shown
// in the window's column 0 (the horizontal view offset already applied).
void PaintRowSegment(const ScreenCell* cells, int row, int c0, int c1, u8 lineFlags);
// Repaints rows r0..r1 and columns c0..c1 of the active emulation's screen.
void RepaintScreenRegion(int r0, int c0, int r1, int c1);
// Move the painted window rows r0..r1 one line up / down and paint the uncovered row.
void ScrollScreenUp(int r0, int r1);
void ScrollScreenDown(int r0, int r1);
// Moves a rectangle one cell sideways and/or one line up or down.
void ScrollScreenRect(int fromColumn, int fromRow, int toColumn, int toRow);
// Shows or hides the text cursor (argument 0 from hide/show, 1 from the blink tick, which
// leaves the steady styles alone).
void ToggleTextCursor(int argument);
// Hides the text cursor while the screen changes (textcursor.h shows it again).
void HideCursorForUpdate();
// The scroll bar's range follows the history capacity, its thumb the history view.
void RefreshScrollRange();
void RefreshScrollThumb();
void InvalidateTerminal();
// Fits the font to the store's rows and columns.
void RefitScreenFont();
// Resizes the main window to show n text rows.
void ResizeWindowToRows(int n);
