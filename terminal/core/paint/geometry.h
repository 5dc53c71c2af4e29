// Where the terminal area lies in the main window and how big its cells are: the cell
// size follows the window size, the number of rows follows the window height (or the
// window follows a new number of rows), and the clip regions of the screen device
// context keep painting inside whole cells.
#pragma once

#include "terminal/core/base/win32.h"

// A window size as the layout takes it: outer width in the low 16 bits, height in the
// high 16 bits.
constexpr LPARAM PackWindowSize(int width, int height)
{
    return static_cast<LPARAM>((static_cast<u32>(height) << 16) | (static_cast<u32>(width) & 0xFFFF));
}

// Pixel size of the terminal area of the active emulation (text rows, its extra rows
// and extra pixels).
void GetTerminalPixelSize(int* width, int* height);
// The terminal area's top-left corner in the main window's client area: centred, x a
// multiple of 8, below the toolbar.
void PlaceTerminalArea(int* x, int* y, int areaWidth, int areaHeight);
// Columns of the active emulation's terminal area.
int TerminalColumns();
// Rows the active emulation adds below its screen, and extra pixels.
int GetExtraScreenRows(int* extraPixels);
// Twice the window frame's width and height.
void GetFrameBorderSize(int* x, int* y);

void SetTerminalClipRect();
void ClipToPixelRect(int x0, int y0, int x1, int y1);
void ClipToClientArea();
void RestoreTerminalClip();

// Client and window rectangles clamped to 0..the work area.
void GetClampedClientRect(HWND window, RECT* rect);
void GetClampedWindowRect(HWND window, RECT* rect);

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
// Forgets the remembered free size so that the next layout measures again.
void ForgetLayout();

// The cells a pixel rectangle touches; returns bottom / cell height.
int CellRectFromPixels(const RECT& pixels, int cellWidth, int cellHeight, int lastColumn, int* firstRow,
                       int* firstColumn, int* lastRow, int* lastColumnOut);
