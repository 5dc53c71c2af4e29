// Where the terminal area lies in the main window and how big its cells are: the cell
// size follows the window size, the number of rows follows the window height (or the
// window follows a new number of rows), and the bars, the status bar, the scroll bar and
// the screen window are placed around it.
#pragma once

#include "terminal/core/base/win32.h"

// The terminal area's top-left corner in the main window's client area: centred, x a
// multiple of 8, below the toolbar.
void PlaceTerminalArea(int* x, int* y, int areaWidth, int areaHeight);

// Cell size from a window size; with `post` the main window hears of it (command 1056).
// A window too small for its bars leaves everything as it is.
void LayoutTerminalArea(LPARAM windowSize, bool post);
// Rows that the window height holds (at least 3), applied.
void FitRowsToWindowHeight(int ignored, LPARAM windowSize, bool post);
// Resizes the main window to show `rows` rows; 0 when that would not fit the work area.
int ResizeWindowForRows(int rows, bool post);
// Applies a row count (1..64) to the store, the layout and the bars.
void ApplyScreenRows(int rows, bool post);
// Set by emulations that keep the window's size when the row count changes.
extern bool KeepWindowSize;
