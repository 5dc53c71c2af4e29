#include "terminal/core/window/layout.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/geometry.h"
#include "terminal/core/paint/overlays.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/screenwindow.h"
#include "terminal/core/window/scrollback.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/input/bars/toolbars.h"

bool KeepWindowSize = false;

namespace {

int g_lastFreeWidth = -1, g_lastFreeHeight = -1;

// What the frame, caption and menu take from a window size: measured on the main
// window itself, so that a size maps onto exactly the client area it would give.
SIZE NonClientSize()
{
    SIZE size{0, 0};
    if (!MainWindowHandle)
        return size;
    RECT window, client;
    GetWindowRect(MainWindowHandle, &window);
    GetClientRect(MainWindowHandle, &client);
    size.cx = (window.right - window.left) - client.right;
    size.cy = (window.bottom - window.top) - client.bottom;
    return size;
}

// Everything that depends on the cell size or the row count is laid out again.
void RelayOut()
{
    InvalidateFontCache();
    SetTerminalClipRect();
    LayoutScreenKeyLabels();
    PlaceScreenWindow();
    StatusBarResize();
    PositionSoftButtonBar();
    PlaceScrollBar();
}

void PostLayoutChanged()
{
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_COMMAND, MAKEWPARAM(kCmdRepaint, 0xFFFF), 0);
}

}  // namespace

void PlaceTerminalArea(int* x, int* y, int areaWidth, int areaHeight)
{
    RECT client;
    GetClampedClientRect(MainWindowHandle, &client);
    const int toolbar = GetToolbarHeight();
    int left = (client.right - GetScrollBarWidth() - areaWidth) / 2;
    left -= left % 8;
    *x = left < 0 ? 0 : left;
    const int top = toolbar +
                    (client.bottom - GetStatusBarHeight() - GetSoftButtonBarHeight() - toolbar - areaHeight) / 2;
    *y = top < toolbar ? toolbar : top;
}

void ForgetLayout()
{
    g_lastFreeWidth = g_lastFreeHeight = -1;
}

void LayoutTerminalArea(LPARAM windowSize, bool post)
{
    int width = LOWORD(windowSize), height = HIWORD(windowSize);
    int workWidth, workHeight;
    GetWorkAreaSize(&workWidth, &workHeight);
    if (width > workWidth)
        width = workWidth;
    if (height > workHeight)
        height = workHeight;
    int extraPixels = 0;
    const int extraRows = GetExtraScreenRows(&extraPixels);
    const SIZE frame = NonClientSize();
    const int freeHeight = height - frame.cy - GetToolbarHeight() - GetStatusBarHeight() -
                           GetSoftButtonBarHeight() - extraPixels;
    const int freeWidth = width - frame.cx - GetScrollBarWidth();
    const int rows = Screen.rows + extraRows;
    const int columns = TerminalColumns();
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const int lineHeight = rows > 0 ? freeHeight / rows : 0;
    const int cellWidth = columns > 0 ? freeWidth / columns : 0;
    const bool unchanged = freeWidth == g_lastFreeWidth && freeHeight == g_lastFreeHeight &&
                           cellWidth == BaseCellWidth && lineHeight == BaseLineHeight;
    // A window smaller than its bars gives no cell at all: nothing changes.
    if (!unchanged && cellWidth > 0 && lineHeight > 0) {
        g_lastFreeWidth = freeWidth;
        g_lastFreeHeight = freeHeight;
        {
            ScreenPaintGuard guard;
            SetCellSize(cellWidth, lineHeight);
            RefreshTerminalFonts();
        }
        RelayOut();
        if (post)
            PostLayoutChanged();
    }
    SetCursor(previous);
}

void FitRowsToWindowHeight(int, LPARAM windowSize, bool post)
{
    if (!TerminalFontExists() || BaseLineHeight <= 0)
        return;
    int extraPixels = 0;
    const int extraRows = GetExtraScreenRows(&extraPixels);
    const int height = HIWORD(windowSize);
    const int free = height - NonClientSize().cy - extraPixels - GetStatusBarHeight() - GetSoftButtonBarHeight() -
                     GetToolbarHeight();
    int rows = free / BaseLineHeight - extraRows;
    if (rows < 3)
        rows = 3;
    ApplyScreenRows(rows, post);
}

int ResizeWindowForRows(int rows, bool post)
{
    if (KeepWindowSize) {
        ApplyScreenRows(rows, post);
        RECT window;
        GetWindowRect(MainWindowHandle, &window);
        ForgetLayout();
        LayoutTerminalArea(PackWindowSize(window.right - window.left, window.bottom - window.top), post);
        return 1;
    }
    int extraPixels = 0;
    const int extraRows = GetExtraScreenRows(&extraPixels);
    const int height = (rows + extraRows) * BaseLineHeight + NonClientSize().cy + GetToolbarHeight() +
                       GetSoftButtonBarHeight() + GetStatusBarHeight() + extraPixels;
    int workWidth, workHeight;
    GetWorkAreaSize(&workWidth, &workHeight);
    if (height >= workHeight)
        return 0;
    RECT window;
    GetWindowRect(MainWindowHandle, &window);
    ApplyScreenRows(rows, false);
    SetWindowPos(MainWindowHandle, nullptr, 0, 0, window.right - window.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitRowsToWindowHeight(0, PackWindowSize(window.right - window.left, height), post);
    return 1;
}

void ApplyScreenRows(int rows, bool post)
{
    if (rows < 1)
        rows = 1;
    if (rows > kMaxVtRows)
        rows = kMaxVtRows;
    const int oldRows = Screen.rows;
    if (rows != oldRows)
        SetScreenRowCount(rows);
    RelayOut();
    if (IsVtFamily(EmulationId)) {
        if (!Screen.multiPage)
            SetPageLengthIfChanged(Screen.rows);
        RefitHistoryView(oldRows);
        if (!Screen.multiPage || rows != oldRows)
            SetMarginLinePointers(0, Screen.rows - 1);
        if (!Screen.multiPage && Screen.cursorRow > Screen.rows - 1) {
            MoveCursorAbsolute(Screen.rows - 1, Screen.cursorColumn);
            FollowCursorInView();
        }
    }
    if (post)
        PostLayoutChanged();
}
