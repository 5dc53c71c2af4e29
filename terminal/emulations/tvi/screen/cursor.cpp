// The cursor, the view over the page and the pages themselves. The current page always
// lies in slot 0 of the page memory (lines 0 to rows-per-page - 1): showing another page
// exchanges its lines with slot 0's.
#include "terminal/core/screen/display.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

int LastRow()
{
    return Tvi.set.rowsPerPage - 1;
}

bool Locked(int row)
{
    const TviLine* line = TviLineAt(row);
    return line && line->locked;
}

bool CellProtected(int row, int column)
{
    const TviLine* line = TviLineAt(row);
    return line && (line->cells[column].rendition & kTviProtected);
}

// In protect mode a move that lands on a protected cell goes on to the nearest
// unprotected one, forwards to the page's end and then from home, or backwards.
void SkipProtectedForward()
{
    if (!Tvi.set.protect || !CellProtected(Tvi.cursorRow, Tvi.cursorColumn))
        return;
    const int columns = Tvi.set.lastColumn + 1, cells = Tvi.set.rowsPerPage * columns;
    int at = Tvi.cursorRow * columns + Tvi.cursorColumn;
    for (int i = 0; i < cells; ++i) {
        at = (at + 1) % cells;
        if (!CellProtected(at / columns, at % columns)) {
            Tvi.cursorRow = at / columns;
            Tvi.cursorColumn = at % columns;
            return;
        }
    }
}

void SkipProtectedBackward()
{
    if (!Tvi.set.protect || !CellProtected(Tvi.cursorRow, Tvi.cursorColumn))
        return;
    const int columns = Tvi.set.lastColumn + 1, cells = Tvi.set.rowsPerPage * columns;
    int at = Tvi.cursorRow * columns + Tvi.cursorColumn;
    for (int i = 0; i < cells; ++i) {
        at = (at + cells - 1) % cells;
        if (!CellProtected(at / columns, at % columns)) {
            Tvi.cursorRow = at / columns;
            Tvi.cursorColumn = at % columns;
            return;
        }
    }
}

int ClampCount(int n, int most)
{
    if (n < 1)
        return 1;
    return n > most ? most : n;
}

}  // namespace

void TviMarkDirty(int line, int c0, int c1)
{
    TviLine* l = TviLineAt(line);
    if (!l)
        return;
    if (c0 < 0)
        c0 = 0;
    if (c1 > kTviCells - 1)
        c1 = kTviCells - 1;
    if (c0 > c1)
        return;
    if (l->dirtyFirst == 0xFF || c0 < l->dirtyFirst)
        l->dirtyFirst = static_cast<u8>(c0);
    if (c1 > l->dirtyLast)
        l->dirtyLast = static_cast<u8>(c1);
}

void TviMarkLines(int first, int last)
{
    for (int line = first; line <= last; ++line)
        TviMarkDirty(line, 0, kTviCells - 1);
}

void TviMarkAll()
{
    TviMarkLines(0, kTviLines - 1);
}

int TviWindowRowOfLine(int line)
{
    for (int row = 0; row < TviWindowRows(); ++row)
        if (TviWindowLine(row) == line)
            return row;
    return -1;
}

void TviFlushDirty()
{
    if (!TviLinesAllocated())
        return;
    const int last = Tvi.set.lastColumn;
    for (int row = 0; row < TviWindowRows(); ++row) {
        const TviLine* line = TviLineAt(TviWindowLine(row));
        if (line && line->dirtyFirst != 0xFF && line->dirtyFirst <= last)
            RepaintScreenRegion(row, line->dirtyFirst, row, line->dirtyLast > last ? last : line->dirtyLast);
    }
    for (int i = 0; i < kTviLines; ++i) {
        TviLine* line = TviLineAt(i);
        line->dirtyFirst = 0xFF;
        line->dirtyLast = 0;
    }
}

ScreenCell* TviCursorCell()
{
    TviLine* line = TviLineAt(Tvi.cursorRow);
    return line ? &line->cells[Tvi.cursorColumn] : nullptr;
}

void TviSettleCursor()
{
    const int last = LastRow();
    if (Tvi.cursorRow > last)
        Tvi.cursorRow = last;
    if (Tvi.cursorRow < 0)
        Tvi.cursorRow = 0;
    if (Tvi.cursorColumn > Tvi.set.lastColumn)
        Tvi.cursorColumn = Tvi.set.lastColumn;
    if (Tvi.cursorColumn < 0)
        Tvi.cursorColumn = 0;
    if (!Locked(Tvi.cursorRow))
        return;
    for (int r = Tvi.cursorRow + 1; r <= last; ++r)
        if (!Locked(r)) {
            Tvi.cursorRow = r;
            return;
        }
    for (int r = Tvi.cursorRow - 1; r >= 0; --r)
        if (!Locked(r)) {
            Tvi.cursorRow = r;
            return;
        }
    // Every row is locked: the last one gives way.
    TviLineAt(last)->locked = 0;
    Tvi.cursorRow = last;
}

void TviFollowCursor()
{
    int offset = Tvi.scrollOffset;
    if (Tvi.cursorRow < offset)
        offset = Tvi.cursorRow;
    if (Tvi.cursorRow > offset + Tvi.set.displayHeight)
        offset = Tvi.cursorRow - Tvi.set.displayHeight;
    int most = Tvi.set.rowsPerPage - Tvi.set.displayHeight - 1;
    if (most < 0)
        most = 0;
    if (offset > most)
        offset = most;
    if (offset < 0)
        offset = 0;
    if (offset != Tvi.scrollOffset) {
        Tvi.scrollOffset = offset;
        TviMarkAll();
    }
}

void TviSetScrollOffset(bool relative, int value)
{
    int most = Tvi.set.rowsPerPage - Tvi.set.displayHeight - 1;
    if (most < 0)
        most = 0;
    long long offset = relative ? static_cast<long long>(Tvi.scrollOffset) + value : value;
    if (offset < 0)
        offset = 0;
    if (offset > most)
        offset = most;
    if (Tvi.viewReturn < 0)
        Tvi.viewReturn = Tvi.scrollOffset;
    if (offset != Tvi.scrollOffset) {
        Tvi.scrollOffset = static_cast<int>(offset);
        TviMarkAll();
    }
}

void TviReturnView()
{
    if (Tvi.viewReturn < 0)
        return;
    if (Tvi.viewReturn != Tvi.scrollOffset) {
        Tvi.scrollOffset = Tvi.viewReturn;
        TviMarkAll();
    }
    Tvi.viewReturn = -1;
}

void TviCursorUp(int n)
{
    n = ClampCount(n, Tvi.set.rowsPerPage);
    Tvi.wrapPending = false;
    int row = Tvi.cursorRow - n;
    const int top = Tvi.cursorRow >= Tvi.regionTop ? Tvi.regionTop : 0;
    if (row < top)
        row = top;
    Tvi.cursorRow = row;
    TviFollowCursor();
    TviSettleCursor();
}

void TviCursorDown(int n)
{
    n = ClampCount(n, Tvi.set.rowsPerPage);
    Tvi.wrapPending = false;
    int row = Tvi.cursorRow + n;
    const int bottom = Tvi.cursorRow <= Tvi.regionBottom ? Tvi.regionBottom : LastRow();
    if (row > bottom)
        row = bottom;
    Tvi.cursorRow = row;
    TviFollowCursor();
    TviSettleCursor();
}

void TviCursorLeft(int n)
{
    n = ClampCount(n, Tvi.set.rowsPerPage * (Tvi.set.lastColumn + 1));
    Tvi.wrapPending = false;
    for (int i = 0; i < n; ++i) {
        if (Tvi.cursorColumn > 0) {
            --Tvi.cursorColumn;
        } else {
            if (Tvi.cursorRow == 0)
                break;
            Tvi.cursorColumn = Tvi.set.lastColumn;
            TviCursorUp(1);
        }
    }
    SkipProtectedBackward();
    TviSettleCursor();
}

void TviCursorRight(int n)
{
    n = ClampCount(n, Tvi.set.rowsPerPage * (Tvi.set.lastColumn + 1));
    Tvi.wrapPending = false;
    for (int i = 0; i < n; ++i) {
        if (Tvi.cursorColumn < Tvi.set.lastColumn) {
            ++Tvi.cursorColumn;
        } else {
            if (Tvi.cursorRow >= LastRow())
                break;
            Tvi.cursorColumn = 0;
            TviCursorDown(1);
        }
    }
    SkipProtectedForward();
    TviSettleCursor();
}

void TviScrollRegionUp(int top, int bottom)
{
    if (top < 0 || bottom > LastRow() || top >= bottom)
        return;
    int previous = -1;
    for (int r = top; r <= bottom; ++r) {
        if (Locked(r))
            continue;
        if (previous >= 0)
            TviSwapLines(previous, r);
        previous = r;
    }
    if (previous >= 0)
        TviClearLine(previous, 0, kTviCells - 1, Tvi.set.fillChar);
    TviMarkLines(top, bottom);
}

void TviScrollRegionDown(int top, int bottom)
{
    if (top < 0 || bottom > LastRow() || top >= bottom)
        return;
    int previous = -1;
    for (int r = bottom; r >= top; --r) {
        if (Locked(r))
            continue;
        if (previous >= 0)
            TviSwapLines(previous, r);
        previous = r;
    }
    if (previous >= 0)
        TviClearLine(previous, 0, kTviCells - 1, Tvi.set.fillChar);
    TviMarkLines(top, bottom);
}

void TviLineFeed()
{
    Tvi.wrapPending = false;
    const bool wholeRegion = Tvi.regionTop == 0 && Tvi.regionBottom == Tvi.set.displayHeight;
    if (Tvi.autoPage && Tvi.set.pages > 1 && wholeRegion && Tvi.cursorRow == Tvi.regionBottom) {
        const int column = Tvi.cursorColumn;
        if (Tvi.currentPage < Tvi.set.pages - 1)
            TviShowPage(Tvi.currentPage + 1);
        Tvi.cursorRow = 0;
        Tvi.cursorColumn = column;
        TviFollowCursor();
        TviSettleCursor();
        return;
    }
    if (Tvi.cursorRow >= Tvi.regionBottom && Tvi.cursorRow <= LastRow()) {
        TviScrollRegionUp(Tvi.regionTop, Tvi.regionBottom);
        TviFollowCursor();
        return;
    }
    TviCursorDown(1);
}

void TviReverseLineFeed()
{
    Tvi.wrapPending = false;
    const bool wholeRegion = Tvi.regionTop == 0 && Tvi.regionBottom == Tvi.set.displayHeight;
    if (Tvi.autoPage && Tvi.set.pages > 1 && wholeRegion && Tvi.cursorRow == 0 && Tvi.currentPage > 0) {
        const int column = Tvi.cursorColumn;
        TviShowPage(Tvi.currentPage - 1);
        Tvi.cursorRow = Tvi.set.displayHeight;
        Tvi.cursorColumn = column;
        TviFollowCursor();
        TviSettleCursor();
        return;
    }
    if (Tvi.cursorRow <= Tvi.regionTop) {
        TviScrollRegionDown(Tvi.regionTop, Tvi.regionBottom);
        TviFollowCursor();
        return;
    }
    TviCursorUp(1);
}

void TviCarriageReturn()
{
    Tvi.wrapPending = false;
    Tvi.cursorColumn = 0;
}

void TviHome()
{
    Tvi.wrapPending = false;
    Tvi.cursorRow = 0;
    Tvi.cursorColumn = 0;
    TviFollowCursor();
    TviSettleCursor();
}

void TviHomeUnprotected()
{
    TviHome();
    SkipProtectedForward();
    TviFollowCursor();
}

void TviMoveCursor(int page, int row, int column)
{
    if (page >= 0 && page != Tvi.currentPage)
        TviShowPage(page);
    Tvi.wrapPending = false;
    if (row < 0)
        row = 0;
    if (row > LastRow())
        row = LastRow();
    row += Tvi.regionTop;
    if (row > Tvi.regionBottom)
        row = Tvi.regionBottom;
    if (column < 0)
        column = 0;
    if (column > Tvi.set.lastColumn)
        column = Tvi.set.lastColumn;
    Tvi.cursorRow = row;
    Tvi.cursorColumn = column;
    TviFollowCursor();
    TviSettleCursor();
}

bool TviSetScrollRegion(int top, int bottom)
{
    if (top < 0 || top >= bottom || bottom > LastRow())
        return false;
    Tvi.regionTop = top;
    Tvi.regionBottom = bottom;
    Tvi.cursorRow = top;
    Tvi.cursorColumn = 0;
    Tvi.wrapPending = false;
    TviFollowCursor();
    TviSettleCursor();
    return true;
}

void TviShowPage(int page)
{
    if (Tvi.set.pages <= 1 || page < 0 || page >= Tvi.set.pages || page == Tvi.currentPage)
        return;
    Tvi.savedCursor[Tvi.currentPage][0] = static_cast<u8>(Tvi.cursorRow);
    Tvi.savedCursor[Tvi.currentPage][1] = static_cast<u8>(Tvi.cursorColumn);
    int slot = 0;
    for (int s = 0; s < 4; ++s)
        if (Tvi.pageMap[s] == page)
            slot = s;
    const int rows = Tvi.set.rowsPerPage;
    if (slot > 0 && (slot + 1) * rows <= kTviPageLines) {
        for (int r = 0; r < rows; ++r)
            TviSwapLines(r, slot * rows + r);
        const u8 t = Tvi.pageMap[0];
        Tvi.pageMap[0] = Tvi.pageMap[slot];
        Tvi.pageMap[slot] = t;
    }
    Tvi.currentPage = page;
    Tvi.cursorRow = Tvi.savedCursor[page][0];
    Tvi.cursorColumn = Tvi.savedCursor[page][1];
    Tvi.wrapPending = false;
    TviFollowCursor();
    TviSettleCursor();
    TviMarkAll();
}

void TviNextPage()
{
    if (Tvi.set.pages > 1)
        TviShowPage((Tvi.currentPage + 1) % Tvi.set.pages);
}

void TviPreviousPage()
{
    if (Tvi.set.pages > 1)
        TviShowPage((Tvi.currentPage + Tvi.set.pages - 1) % Tvi.set.pages);
}
