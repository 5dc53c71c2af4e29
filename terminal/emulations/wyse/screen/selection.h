// Selection, copy and the screen dump on the Wyse screen: every row the window shows
// (status line, text rows, label line) can be selected, and a cell gives the character
// it shows.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct ScreenCell;
struct SelectionArea;

bool WyseSelectionArea(SelectionArea* area);
// The cells of screen row `row`, how many of them the row shows (half on a double-width
// line) and their width in pixels (0: the screen's).
ScreenCell* WyseSelectionRow(int row, int* columns, int* cellWidth);
// The character a cell shows: a blank for an embedded attribute and an empty cell.
u16 WyseCellChar(const ScreenCell& cell);
