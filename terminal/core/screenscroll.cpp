// Scrolling the painted screen, clearing rows, rules and the text cursor.
#include "terminal/core/screenscroll.h"

#include "terminal/core/corestate.h"
#include "terminal/core/displayhooks.h"
#include "terminal/core/fonts.h"
#include "terminal/core/jumpscroll.h"
#include "terminal/core/paintrows.h"
#include "terminal/core/paintsettings.h"
#include "terminal/core/screencolours.h"
#include "terminal/core/screendc.h"
#include "terminal/core/screenops.h"
#include "terminal/core/screenstore.h"
#include "terminal/core/screenwindow.h"
#include "terminal/core/textcursor.h"
#include "terminal/core/timers.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/colours.h"

namespace {

// Width of what is scrolled: the screen window's client area, or the terminal's own
// width when there is no window (painting into an off-screen context).
int ClientWidth()
{
    RECT client{};
    if (ScreenWindowHandle)
        GetClientRect(ScreenWindowHandle, &client);
    return client.right > 0 ? client.right : (Screen.lastColumn + 1) * CellWidth;
}

bool CanScrollPixels()
{
    return ScreenDC && !PaintSettings.displayOff && !Iconic;
}

void RepaintRow(int row)
{
    if (row >= 0 && row < Screen.rows)
        RepaintScreenRegion(row, 0, row, Screen.lastColumn);
}

// After a vertical scroll the update rectangle may reach past the row just painted (a
// part of the window that could not be moved): repaint the row at its edge, and the
// next one when the edge does not fall on a row boundary.
void RepaintUpdateEdge(int edgeY, int painted)
{
    if (LineHeight <= 0)
        return;
    const int row = edgeY / LineHeight;
    if (row != painted)
        RepaintRow(row);
    if (edgeY % LineHeight && row + 1 != painted)
        RepaintRow(row + 1);
}

void ScrollRows(int r0, int r1, bool up)
{
    if (PaintSettings.jumpScroll && !Iconic) {
        CountDeferredScroll();
        return;
    }
    ScreenPaintGuard guard;
    RECT update{};
    if (CanScrollPixels() && r0 <= r1) {
        RECT rect{0, r0 * LineHeight, ClientWidth(), (r1 + 1) * LineHeight};
        ScrollDC(ScreenDC, 0, up ? -LineHeight : LineHeight, &rect, &rect, nullptr, &update);
    }
    const int uncovered = up ? r1 : r0;
    RepaintRow(uncovered);
    if (!IsRectEmpty(&update))
        RepaintUpdateEdge(up ? update.top : update.bottom - 1, uncovered);
}

}  // namespace

void ScrollScreenUp(int r0, int r1)
{
    ScrollRows(r0, r1, true);
}

void ScrollScreenDown(int r0, int r1)
{
    ScrollRows(r0, r1, false);
}

void ScrollScreenRect(int fromColumn, int fromRow, int toColumn, int toRow)
{
    if (ProfileLoadInProgress || Iconic)
        return;
    ScreenPaintGuard guard;
    const int lastRow = Screen.rows - 1, lastColumn = Screen.lastColumn;
    int c0 = 0, c1 = lastColumn, r0 = 0, r1 = lastRow, dx = 0, dy = 0;
    if (fromColumn != toColumn) {
        c0 = fromColumn < toColumn ? fromColumn : toColumn;
        c1 = fromColumn < toColumn ? toColumn : fromColumn;
        dx = fromColumn < toColumn ? -CellWidth : CellWidth;
    }
    if (fromRow != toRow) {
        r0 = fromRow < toRow ? fromRow : toRow;
        r1 = fromRow < toRow ? toRow : fromRow;
        dy = fromRow < toRow ? -LineHeight : LineHeight;
    }
    RECT update{};
    if (ScreenDC && !PaintSettings.displayOff) {
        RECT rect{c0 * CellWidth, r0 * LineHeight, (c1 + 1) * CellWidth, (r1 + 1) * LineHeight};
        ScrollDC(ScreenDC, dx, dy, &rect, &rect, nullptr, &update);
    }
    if (dy) {
        const int row = dy < 0 ? r1 : r0;
        RepaintScreenRegion(row, c0, row, c1);
        if (!IsRectEmpty(&update) && LineHeight > 0) {
            const int edge = update.top / LineHeight;
            if (edge != row && edge >= r0 && edge <= r1)
                RepaintScreenRegion(edge, c0, edge, c1);
            if (update.top % LineHeight && edge + 1 != row && edge + 1 <= r1)
                RepaintScreenRegion(edge + 1, c0, edge + 1, c1);
        }
    }
    if (dx) {
        const int column = dx < 0 ? c1 : c0;
        const int edge = CellWidth > 0 ? update.left / CellWidth : column;
        for (int row = r0; row <= r1; ++row) {
            RepaintScreenRegion(row, column, row, column);
            if (!IsRectEmpty(&update) && edge != column && edge >= c0 && edge <= c1)
                RepaintScreenRegion(row, edge, row, edge);
            if (!IsRectEmpty(&update) && CellWidth > 0 && update.left % CellWidth && edge + 1 <= c1)
                RepaintScreenRegion(row, edge + 1, row, edge + 1);
        }
    }
    RefreshStatusLine();
}

void DrawHorizontalRule(int x0, int x1, int y)
{
    ScreenPaintGuard guard;
    if (!ScreenDC)
        return;
    RealizePendingPalette();
    const int index = CachedTextColourIndex();
    HPEN pen = CreatePen(PS_SOLID, 1, index >= 0 ? TerminalPalette[index] : GetTextColor(ScreenDC));
    if (!pen)
        return;
    if (!PaintSettings.displayOff && !Iconic) {
        HGDIOBJ old = SelectObject(ScreenDC, pen);
        const POINT line[2] = {{x0, y}, {x1, y}};
        Polyline(ScreenDC, line, 2);
        SelectObject(ScreenDC, old);
    }
    DeleteObject(pen);
}

void ClearScreenRows(int r0, int r1)
{
    if (Iconic || !ScreenDC)
        return;
    ScreenPaintGuard guard;
    RealizePendingPalette();
    const int index = PaintSettings.reverseScreen ? (AttributeColourTable.frg[0] & 15) : (AttributeColourTable.bckscrn & 15);
    RECT rect{0, r0 * LineHeight, ClientWidth() + 1, (r1 + 1) * LineHeight};
    HBRUSH brush = CreateSolidBrush(TerminalPalette[index]);
    if (brush) {
        FillRect(ScreenDC, &rect, brush);
        DeleteObject(brush);
    }
}

bool TextCursorRect(int argument, RECT* rect)
{
    const int column = CursorScreenColumn();
    const int row = CursorWindowRow();
    if (column < 0 || row < 0)
        return false;
    const ScreenLineRecord* line = CursorLine();
    const bool doubleWidth = line && (line->cells[0].flags & kLineDoubleWidth);
    const int width = doubleWidth ? 2 * BaseCellWidth : BaseCellWidth;
    const int height = BaseLineHeight;
    const int style = PaintSettings.cursorStyle & 3;
    // The blink tick calls with 1: the steady styles stay as they are.
    if (style >= 2 && argument != 0)
        return false;
    const int x = column * width, y = row * height;
    if (style == 0 || style == 2)
        *rect = RECT{x, y + height - 2, x + width, y + height};
    else
        *rect = RECT{x, y, x + width, y + height};
    return true;
}

void InvertCursorCell(int argument)
{
    ScreenPaintGuard guard;
    RECT rect;
    if (ScreenDC && TextCursorRect(argument, &rect))
        InvertRect(ScreenDC, &rect);
}

void ToggleTextCursor(int argument)
{
    if (Iconic || PaintSettings.displayOff)
        return;
    struct Own {
        HookFamily family;
        int argument;
    };
    for (const Own& own : {Own{HookFamily::Dg, 0}, Own{HookFamily::Ibm3151, argument}, Own{HookFamily::Tvi, 1}})
        if (FamilyActive(own.family)) {
            if (auto draw = DisplayHooksOf(own.family).drawCursor)
                draw(own.argument);
            return;
        }
    ScreenPaintGuard guard;
    RECT rect;
    if (!ScreenDC || !TextCursorRect(argument, &rect))
        return;
    InvertRect(ScreenDC, &rect);
    CursorShown = CursorShown ? 0 : 1;
}
