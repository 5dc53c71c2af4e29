// The terminal area's size in pixels and the clip regions of the screen device context,
// which keep painting inside whole cells.
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
// Columns of the active emulation's terminal area.
int TerminalColumns();
// Rows the active emulation adds below its screen, and extra pixels.
int GetExtraScreenRows(int* extraPixels);
// Twice the window frame's width and height.
void GetFrameBorderSize(int* x, int* y);
// The size of the desktop's work area.
void GetWorkAreaSize(int* width, int* height);

void SetTerminalClipRect();
void ClipToPixelRect(int x0, int y0, int x1, int y1);
void ClipToClientArea();
void RestoreTerminalClip();

// Client and window rectangles clamped to 0..the work area.
void GetClampedClientRect(HWND window, RECT* rect);
void GetClampedWindowRect(HWND window, RECT* rect);

// The cells a pixel rectangle touches; returns bottom / cell height.
int CellRectFromPixels(const RECT& pixels, int cellWidth, int cellHeight, int lastColumn, int* firstRow,
                       int* firstColumn, int* lastRow, int* lastColumnOut);
