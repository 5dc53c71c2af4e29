// Scrolling the painted screen, clearing rows, rules and the text cursor.
#include "terminal/core/paint/screenscroll.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/paint/paintsettings.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/frame/screenwindow.h"
#include "terminal/core/paint/textcursor.h"
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

// Scrolls that wait to be merged with the next ones: the rows r0..r1 still show the
// picture from before `lines` one-line moves in one direction. Rows to be painted are
// marked in `dirty` (bit n = window row n); a mark inside the region moves with each
// further scroll, so each row is painted once, where it has come to be, after the one
// move. Everything here is touched under the paint lock only.
struct MergedScroll {
    bool pending = false;
    bool up = true;
    int r0 = 0, r1 = 0;
    int lines = 0;
    u64 dirty = 0;
    DWORD since = 0;
};
MergedScroll g_merged;

// The screen keeps moving during a long flood: a merged scroll is never held longer.
constexpr DWORD kMergedScrollMaxMs = 50;
constexpr int kMarkedRows = 64;

u64 RowBits(int r0, int r1)
{
    const u64 upTo = r1 >= kMarkedRows - 1 ? ~u64{0} : (u64{1} << (r1 + 1)) - 1;
    return upTo & ~((u64{1} << r0) - 1);
}

// Repaints the marked window rows from the screen store, one call per run of them.
void RepaintMarkedRows(u64 marks)
{
    for (int row = 0; row < kMarkedRows && row < Screen.rows; ++row) {
        if (!(marks & (u64{1} << row)))
            continue;
        int last = row;
        while (last + 1 < kMarkedRows && last + 1 < Screen.rows && (marks & (u64{1} << (last + 1))))
            ++last;
        RepaintScreenRegion(row, 0, last, Screen.lastColumn);
        row = last;
    }
}

// Moves the picture of the region by the lines merged so far, in one ScrollDC. The
// marks stay: the rows are painted later, from the store as it is then.
void MoveMergedPicture()
{
    MergedScroll& m = g_merged;
    const int height = m.r1 - m.r0 + 1;
    if (m.lines >= height || LineHeight <= 0) {
        m.dirty |= RowBits(m.r0, m.r1);
    } else if (m.lines > 0 && CanScrollPixels()) {
        RECT rect{0, m.r0 * LineHeight, ClientWidth(), (m.r1 + 1) * LineHeight};
        RECT update{};
        const int dy = m.lines * LineHeight;
        ScrollDC(ScreenDC, 0, m.up ? -dy : dy, &rect, &rect, nullptr, &update);
        // Whatever could not be moved (a part of the window out of view) is painted
        // again, row by row.
        if (!IsRectEmpty(&update)) {
            const int first = update.top / LineHeight, last = (update.bottom - 1) / LineHeight;
            m.dirty |= RowBits(first < m.r0 ? m.r0 : first, last > m.r1 ? m.r1 : last);
        }
    }
    m.lines = 0;
}

// Scrolls may wait only where the host-data thread's reader applies them before it
// goes idle, and where the row painter that marks rows is the one in use.
bool CanMergeScroll()
{
    return HostByteInProgress() && CanScrollPixels() && ScreenPaintLockDepth() == 1 && GenericRowPainterActive();
}

bool MergedScrollExpired()
{
    return GetTickCount() - g_merged.since >= kMergedScrollMaxMs;
}

// Adds one scroll of rows r0..r1 to the merged scroll. The store already shows it, so
// nothing may be painted from the store before it is counted.
void CountScroll(int r0, int r1, bool up)
{
    MergedScroll& m = g_merged;
    if (m.pending && (m.r0 != r0 || m.r1 != r1 || m.up != up))
        MoveMergedPicture();
    if (!m.pending) {
        m.pending = true;
        m.since = GetTickCount();
    }
    m.up = up;
    m.r0 = r0;
    m.r1 = r1;
    const u64 region = RowBits(r0, r1);
    // Row n now holds what row n+1 (up) or n-1 (down) held: its mark goes with it, and
    // the uncovered row is new.
    const u64 moved = (up ? m.dirty >> 1 : m.dirty << 1) & region;
    m.dirty = (m.dirty & ~region) | moved | (u64{1} << (up ? r1 : r0));
    if (m.lines <= r1 - r0)
        ++m.lines;
}

void ScrollRows(int r0, int r1, bool up)
{
    if (PaintSettings.jumpScroll && !Iconic) {
        CountDeferredScroll();
        return;
    }
    ScreenPaintGuard guard(ScreenPaintGuard::kKeepMergedScroll);
    if (r0 < 0 || r0 > r1 || r1 >= kMarkedRows) {
        ApplyMergedScroll();
        RepaintRow(up ? r1 : r0);
        return;
    }
    CountScroll(r0, r1, up);
    if (!CanMergeScroll() || MergedScrollExpired())
        ApplyMergedScroll();
}

}  // namespace

bool MergedScrollPending()
{
    return g_merged.pending;
}

void ApplyMergedScroll()
{
    ScreenPaintGuard guard(ScreenPaintGuard::kKeepMergedScroll);
    if (!g_merged.pending)
        return;
    MoveMergedPicture();
    const u64 marks = g_merged.dirty;
    g_merged = MergedScroll{};
    RepaintMarkedRows(marks);
}

bool DeferRowToMergedScroll(int row)
{
    if (!g_merged.pending)
        return false;
    if (row < 0 || row >= kMarkedRows || row >= Screen.rows) {
        ApplyMergedScroll();
        return false;
    }
    g_merged.dirty |= u64{1} << row;
    if (MergedScrollExpired())
        ApplyMergedScroll();
    return true;
}

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
    if (const DisplayHooks* display = ActiveFamily().display)
        if (display->drawCursor) {
            display->drawCursor(argument);
            return;
        }
    ScreenPaintGuard guard;
    RECT rect;
    if (!ScreenDC || !TextCursorRect(argument, &rect))
        return;
    InvertRect(ScreenDC, &rect);
    CursorShown = CursorShown ? 0 : 1;
}
