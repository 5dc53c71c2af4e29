// Text selection with the mouse: the ends of the selection, the marks in the store,
// the scrolling of the view while the pointer is held beyond the screen's edge.
#include "terminal/core/window/selection/selection.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/screen/framelock.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/screenmodes.h"

u32 ClipboardMode = 0;

namespace {

SelectionRange g_range;
bool g_present = false;
bool g_dragging = false;
bool g_graphicsDrag = false;
POINT g_lastPoint{-1, -1};
bool g_samePoint = false;
HWND g_dragWindow = nullptr;
// Where the pointer of the drag was last seen: the wheel may pan the view under it.
POINT g_dragPoint{0, 0};
// The marks in the store lag behind g_present and g_range: the host-data thread held the
// frame lock too long. The tick tries again.
bool g_marksOwed = false;

// The host-data thread rotates the store's lines as it scrolls and pans; marks written
// meanwhile would land on the wrong lines (rows missing from a selection, others marked
// that were not). A mark waits this long for the lock, a copy longer: only a host-data
// thread stuck in a send or a message box keeps it that long.
constexpr u32 kMarkLockWaitMs = 50;
constexpr u32 kCopyLockWaitMs = 1000;

void RepaintMarked(int windowRow, int c0, int c1, const ScreenCell* cells, u8 lineFlags)
{
    // A double-width line is painted whole: its cells are twice as wide.
    if (lineFlags & kLineDoubleWidth)
        PaintRowSegment(cells, windowRow, 0, Screen.lastColumn, lineFlags);
    else
        PaintRowSegment(cells, windowRow, c0, c1, lineFlags);
}

// Writes the marks g_present and g_range describe into the store.
void Apply()
{
    FrameLockGuard lock(kMarkLockWaitMs);
    if (!lock.Held()) {
        g_marksOwed = true;
        return;
    }
    g_marksOwed = false;
    HideCursorForUpdate();
    ApplySelectionMarks(ScreenSelectionArea(), g_present ? &g_range : nullptr, RepaintMarked);
}

// The store row of a window row.
int StoreRow(const SelectionArea& area, int windowRow)
{
    return area.viewTop + windowRow;
}

void ExtendTo(POINT at, bool scrollAtEdge = true)
{
    int column = 0, row = 0, edge = 0;
    if (!PixelToSelectionCell(at, &column, &row, &edge))
        return;
    // Held beyond an edge, the view scrolls one line per call toward it.
    if (edge != 0 && scrollAtEdge)
        DispatchScrollBarCommand(edge < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    const SelectionArea area = ScreenSelectionArea();
    const int storeRow = StoreRow(area, row);
    const bool moved = storeRow != g_range.row1 || column != g_range.column1;
    if (!moved && g_samePoint)
        return;
    g_range.row1 = storeRow;
    g_range.column1 = column;
    MarkSelectionRange(g_range.row0, g_range.column0, g_range.row1, g_range.column1);
}

}  // namespace

bool PixelToSelectionCell(POINT at, int* column, int* row, int* edge)
{
    const SelectionArea area = ScreenSelectionArea();
    if (!area.available || BaseLineHeight <= 0 || BaseCellWidth <= 0)
        return false;
    g_samePoint = at.x == g_lastPoint.x && at.y == g_lastPoint.y;
    g_lastPoint = at;
    int r = at.y >= 0 ? at.y / BaseLineHeight : -1;
    *edge = 0;
    if (r < 0) {
        r = 0;
        *edge = -1;
    } else if (r >= area.visibleRows) {
        r = area.visibleRows - 1;
        *edge = 1;
    }
    const SelectionRow line = SelectionRowAt(area, area.viewTop + r);
    int width = line.cellWidth > 0 ? line.cellWidth : BaseCellWidth;
    if (line.lineFlags & kLineDoubleWidth)
        width *= 2;
    int c = at.x >= 0 ? at.x / width : 0;
    c = c < area.leftColumn ? area.leftColumn : c > area.rightColumn ? area.rightColumn : c;
    *row = r;
    *column = c;
    return true;
}

bool TakeSelectedText(SelectionText* text)
{
    FrameLockGuard lock(kCopyLockWaitMs);
    if (!lock.Held())
        return false;
    // What the screen shows as marked is what is copied.
    if (g_marksOwed)
        Apply();
    *text = SelectedText(ScreenSelectionArea());
    return true;
}

void MarkSelectionRange(int row0, int column0, int row1, int column1)
{
    const SelectionArea area = ScreenSelectionArea();
    if (!area.available)
        return;
    auto clampRow = [&](int r) {
        return r < area.lowestRow ? area.lowestRow : r > area.highestRow ? area.highestRow : r;
    };
    auto clampColumn = [&](int c) {
        return c < area.leftColumn ? area.leftColumn : c > area.rightColumn ? area.rightColumn : c;
    };
    g_range.row0 = clampRow(row0);
    g_range.row1 = clampRow(row1);
    g_range.column0 = clampColumn(column0);
    g_range.column1 = clampColumn(column1);
    // A click that never moved selects nothing.
    if (g_range.row0 == g_range.row1 && g_range.column0 == g_range.column1 && g_samePoint) {
        ClearSelectionMarks();
        return;
    }
    SetKeyboardLocked(true);
    g_present = true;
    Apply();
}

void SelectWindowRowRange(int windowRow, int column0, int column1)
{
    ClearSelectionMarks();
    const SelectionArea area = ScreenSelectionArea();
    g_range.block = false;
    g_samePoint = false;
    MarkSelectionRange(StoreRow(area, windowRow), column0, StoreRow(area, windowRow), column1);
}

void ClearSelectionMarks()
{
    if (!OnUserInterfaceThread()) {
        // The host-data thread unlocked the keyboard: the marks go on the window's thread.
        PostUiRequest(kUiClearSelection, 0);
        return;
    }
    if (!g_present)
        return;
    g_present = false;
    SetKeyboardLocked(false);
    Apply();
    UpdateEditMenu();
}

void StartSelectionDrag(HWND window, POINT at, SelectionKind kind)
{
    g_dragWindow = window;
    g_dragging = true;
    g_dragPoint = at;
    if (kind == SelectionKind::Bitmap) {
        g_graphicsDrag = true;
        BeginGraphicsSelection(at);
        return;
    }
    g_graphicsDrag = false;
    if (kind == SelectionKind::Extend && g_present) {
        g_lastPoint = POINT{-1, -1};
        ExtendTo(at);
        return;
    }
    BeginSelectionAt(at, kind == SelectionKind::Block || kind == SelectionKind::SecondKind);
}

void BeginSelectionAt(POINT at, bool block)
{
    ClearSelectionMarks();
    int column = 0, row = 0, edge = 0;
    g_lastPoint = POINT{-1, -1};
    if (!PixelToSelectionCell(at, &column, &row, &edge))
        return;
    const SelectionArea area = ScreenSelectionArea();
    g_range = SelectionRange{StoreRow(area, row), column, StoreRow(area, row), column, block};
}

void ExtendSelectionTo(POINT at)
{
    ExtendTo(at);
}

void ExtendSelectionDrag(HWND, POINT at)
{
    if (!g_dragging)
        return;
    g_dragPoint = at;
    if (g_graphicsDrag)
        ExtendGraphicsSelection(at);
    else
        ExtendTo(at);
}

void UpdateSelectionDrag()
{
    if (g_marksOwed)
        Apply();
    if (!g_dragging || g_graphicsDrag || !g_dragWindow)
        return;
    POINT at;
    if (!GetCursorPos(&at) || !ScreenToClient(g_dragWindow, &at))
        return;
    // The same point again: only a pointer beyond an edge scrolls on.
    int column = 0, row = 0, edge = 0;
    const POINT last = g_lastPoint;
    if (PixelToSelectionCell(at, &column, &row, &edge) && edge != 0) {
        g_lastPoint = POINT{-1, -1};
        g_dragPoint = at;
        ExtendTo(at);
    } else {
        g_lastPoint = last;
    }
}

void SelectionFollowsView()
{
    if (!g_dragging || g_graphicsDrag)
        return;
    // The view moved under a pointer that stayed: the selection reaches the line now
    // under it, as the next move of the mouse would make it. It does not scroll the view
    // on itself at an edge: the tick does that, one line at a time.
    g_lastPoint = POINT{-1, -1};
    ExtendTo(g_dragPoint, false);
}

void FinishSelectionDrag()
{
    g_dragging = false;
    g_dragWindow = nullptr;
    UpdateEditMenu();
}

bool SelectionDragging()
{
    return g_dragging;
}

bool SelectionPresent()
{
    return g_present || GraphicsSelectionPresent();
}

void SelectAllText()
{
    const SelectionArea area = ScreenSelectionArea();
    if (!area.available)
        return;
    g_range.block = false;
    g_samePoint = false;
    MarkSelectionRange(area.lowestRow, area.leftColumn, area.highestRow, area.rightColumn);
}

void SelectAll()
{
    if (GraphicsPasteMode())
        SelectAllGraphics();
    else
        SelectAllText();
    UpdateEditMenu();
}

void ClearSelectionOnFocusLoss()
{
    if (GraphicsPasteMode())
        EndGraphicsSelection();
    else
        ClearSelectionMarks();
}

bool GraphicsPasteMode()
{
    return ClipboardMode == 1;
}

void SetClipboardMode(u32 graphics)
{
    if (GraphicsPasteMode())
        EndGraphicsSelection();
    else
        ClearSelectionMarks();
    ClipboardMode = graphics ? 1 : 0;
    UpdateEditMenu();
}

void CopySelection()
{
    if (GraphicsPasteMode())
        CopyScreenBitmap(MainWindowHandle, false, false);
    else
        CopySelectionText(MainWindowHandle);
}

void PasteClipboard()
{
    if (!GraphicsPasteMode()) {
        StartPaste(MainWindowHandle);
        return;
    }
    POINT at{0, 0};
    if (ScreenWindowHandle && GetCursorPos(&at))
        ScreenToClient(ScreenWindowHandle, &at);
    PasteBitmap(ScreenWindowHandle, at.x, at.y);
}

void MoveCursorToPointer(HWND, POINT at)
{
    // The DEC and ANSI terminals move their cursor by mouse in local editing only, where
    // the screen is the user's to edit.
    if (EmulationId == kEmuVt52 || !VtLocalEditing())
        return;
    int column = 0, row = 0, edge = 0;
    if (!PixelToSelectionCell(at, &column, &row, &edge) || edge != 0)
        return;
    const SelectionArea area = StoreSelectionArea();
    // Only on the live screen: a line of the history has no cursor position.
    if (!Screen.multiPage && area.viewTop != Screen.historyTarget)
        return;
    HideCursorForUpdate();
    MoveCursorAbsolute(row, column + area.columnBase);
}
