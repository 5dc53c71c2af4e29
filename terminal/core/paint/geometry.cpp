#include "terminal/core/paint/geometry.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/screen/screenstore.h"

namespace {

RECT g_terminalClip{};
bool g_terminalClipSet = false;

void Clamp(RECT* r)
{
    int w, h;
    GetWorkAreaSize(&w, &h);
    auto clamp = [](LONG v, int hi) { return v < 0 ? 0 : (v > hi ? hi : v); };
    r->left = clamp(r->left, w);
    r->right = clamp(r->right, w);
    r->top = clamp(r->top, h);
    r->bottom = clamp(r->bottom, h);
}

}  // namespace

void GetWorkAreaSize(int* width, int* height)
{
    RECT work{0, 0, 0, 0};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    *width = work.right - work.left;
    *height = work.bottom - work.top;
}

int TerminalColumns()
{
    if (const DisplayHooks* display = ActiveFamily().display)
        if (display->columns)
            return display->columns();
    return Screen.lastColumn + 1;
}

int GetExtraScreenRows(int* extraPixels)
{
    if (extraPixels)
        *extraPixels = 0;
    if (const DisplayHooks* display = ActiveFamily().display) {
        auto extra = display->extraRows;
        int pixels = 0;
        const int rows = extra ? extra(&pixels) : 0;
        if (extraPixels)
            *extraPixels = pixels;
        return rows;
    }
    // The ANSI console family and the DEC VT family show the indicator status line
    // below the text rows.
    return 1;
}

void GetFrameBorderSize(int* x, int* y)
{
    *x = 2 * GetSystemMetrics(SM_CXFRAME);
    *y = 2 * GetSystemMetrics(SM_CYFRAME);
}

void GetTerminalPixelSize(int* width, int* height)
{
    int extraPixels = 0;
    const int extraRows = GetExtraScreenRows(&extraPixels);
    *width = BaseCellWidth * TerminalColumns();
    *height = (Screen.rows + extraRows) * BaseLineHeight + extraPixels;
}

void GetClampedClientRect(HWND window, RECT* rect)
{
    *rect = RECT{};
    if (window)
        GetClientRect(window, rect);
    Clamp(rect);
}

void GetClampedWindowRect(HWND window, RECT* rect)
{
    *rect = RECT{};
    if (window)
        GetWindowRect(window, rect);
    Clamp(rect);
}

void SetTerminalClipRect()
{
    if (!ScreenWindowHandle || !ScreenDC)
        return;
    RECT client;
    GetClientRect(ScreenWindowHandle, &client);
    const int w = BaseCellWidth > 0 ? BaseCellWidth : 1, h = BaseLineHeight > 0 ? BaseLineHeight : 1;
    // Whole cells only: a partial column or row at the edge is never painted into.
    g_terminalClip = RECT{0, 0, (client.right / w) * w - 1, (client.bottom / h) * h - 1};
    g_terminalClipSet = true;
    ClipToPixelRect(g_terminalClip.left, g_terminalClip.top, g_terminalClip.right, g_terminalClip.bottom);
}

void ClipToPixelRect(int x0, int y0, int x1, int y1)
{
    if (!ScreenDC)
        return;
    ScreenPaintGuard guard;
    if (HRGN region = CreateRectRgn(x0, y0, x1 + 1, y1 + 1)) {
        SelectClipRgn(ScreenDC, region);
        DeleteObject(region);
    }
}

void ClipToClientArea()
{
    if (Iconic || !ScreenDC)
        return;
    ScreenPaintGuard guard;
    SelectClipRgn(ScreenDC, nullptr);
}

void RestoreTerminalClip()
{
    if (Iconic || !g_terminalClipSet)
        return;
    ClipToPixelRect(g_terminalClip.left, g_terminalClip.top, g_terminalClip.right, g_terminalClip.bottom);
}

int CellRectFromPixels(const RECT& pixels, int cellWidth, int cellHeight, int lastColumn, int* firstRow,
                       int* firstColumn, int* lastRow, int* lastColumnOut)
{
    if (cellWidth < 1 || cellHeight < 1)
        return 0;
    *firstColumn = pixels.left / cellWidth;
    int last = pixels.right / cellWidth + (pixels.right % cellWidth ? 1 : 0);
    *lastColumnOut = last > lastColumn ? lastColumn : last;
    *firstRow = pixels.top / cellHeight;
    *lastRow = pixels.bottom / cellHeight + (pixels.bottom % cellHeight ? 1 : 0);
    return pixels.bottom / cellHeight;
}
