// What the core reads of the DG screen outside the host path: the text cursor (shown,
// hidden, blinking), the blinking cells, the rows selection and copying take their text
// from, and the screen dump.
#pragma once

#include <atomic>
#include <string>

#include "terminal/core/base/vxtypes.h"

struct ScreenCell;
struct SelectionArea;

// The cursor: hidden before the screen changes, shown when the host pauses. The painter
// inverts its cell while it is drawn.
void DgHideCursor();
void DgShowCursor();
void DgDrawCursor(int argument);
// Where the painter shows the cursor: true with its window row and column while drawn
// (blinking styles only in their on phase).
bool DgCursorDrawnAt(int* row, int* column);

// The blink tick: blinking cells and the blinking cursor styles change phase.
void DgRedrawBlinking();

// Selection and copying.
bool DgSelectionArea(SelectionArea* area);
ScreenCell* DgSelectionRow(int row, int* columns, int* cellWidth);
void DgCursorPosition(int* row, int* column);

// The pixel width of a cell of a compressed row, as the painter last laid it out (0
// before it has).
extern std::atomic<int> DgCompressedCellWidth;
