// Erasing, inserting and deleting on the current page, the clears, tabs and locked lines.
// A locked line is never erased; in protect mode protected cells are kept.
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

int LastRow()
{
    return Tvi.set.rowsPerPage - 1;
}

bool Protected(const ScreenCell& cell)
{
    return (cell.rendition & kTviProtected) != 0;
}

bool ProtectedAt(int row, int column)
{
    const TviLine* line = TviLineAt(row);
    return line && Protected(line->cells[column]);
}

bool AttrStartAt(int row, int column)
{
    const TviLine* line = TviLineAt(row);
    return line && (line->cells[column].rendition & kTviAttrStart);
}

int Clamp(int n, int most)
{
    if (n < 1)
        return 1;
    return n > most ? most : n;
}

// The cell a shift brings in: the fill character, protected under write protection.
ScreenCell FillCell()
{
    ScreenCell cell = TviBlankCell(Tvi.set.fillChar);
    if (Tvi.set.writeProtect)
        cell.rendition = kTviProtected;
    return cell;
}

// Shifts cells first..last of a row one to the right; `in` enters at first; returns the
// cell that fell off.
ScreenCell ShiftRight(int row, int first, int last, ScreenCell in)
{
    ScreenCell* cells = TviLineAt(row)->cells;
    const ScreenCell out = cells[last];
    for (int c = last; c > first; --c)
        cells[c] = cells[c - 1];
    cells[first] = in;
    TviMarkDirty(row, first, last);
    return out;
}

ScreenCell ShiftLeft(int row, int first, int last, ScreenCell in)
{
    ScreenCell* cells = TviLineAt(row)->cells;
    const ScreenCell out = cells[first];
    for (int c = first; c < last; ++c)
        cells[c] = cells[c + 1];
    cells[last] = in;
    TviMarkDirty(row, first, last);
    return out;
}

// The last cell an insert or delete at the cursor reaches: the row's end, or in protect
// mode the cell before the next protected one; -1 when the cursor cell is protected.
int ShiftEnd()
{
    if (!Tvi.set.protect)
        return Tvi.set.lastColumn;
    if (ProtectedAt(Tvi.cursorRow, Tvi.cursorColumn))
        return -1;
    int end = Tvi.cursorColumn;
    while (end < Tvi.set.lastColumn && !ProtectedAt(Tvi.cursorRow, end + 1))
        ++end;
    return end;
}

void ClearRange(int row, int c0, int c1, u8 ch)
{
    for (int c = c0; c <= c1; ++c)
        TviClearCell(row, c, ch);
}

}  // namespace

ScreenCell TviBlankCell(u8 ch)
{
    const u8 colour = static_cast<u8>((Tvi.colours.foreground[0] & 0x0F) |
                                      ((Tvi.colours.background[0] & 0x0F) << 4));
    return ScreenCell{ch, colour, 0, 0};
}

void TviClearCell(int line, int column, u8 ch)
{
    TviLine* l = TviLineAt(line);
    if (!l || l->locked || column < 0 || column >= kTviCells)
        return;
    ScreenCell& cell = l->cells[column];
    if (Tvi.set.protect && Protected(cell))
        return;
    const u8 rendition = (Tvi.set.writeProtect || Tvi.graphics) ? kTviProtected
                                                                : (cell.rendition & ~kTviAttrStart);
    cell = TviBlankCell(ch);
    cell.rendition = rendition;
    TviMarkDirty(line, column, column);
}

void TviClearLine(int line, int c0, int c1, u8 ch)
{
    // A line scrolled or inserted in is blank whatever it held.
    TviLine* l = TviLineAt(line);
    if (!l)
        return;
    const u8 rendition = (Tvi.set.writeProtect || Tvi.graphics) ? kTviProtected : 0;
    for (int c = c0 < 0 ? 0 : c0; c <= c1 && c < kTviCells; ++c) {
        l->cells[c] = TviBlankCell(ch);
        l->cells[c].rendition = rendition;
    }
    TviMarkDirty(line, c0, c1);
}

void TviClearPage(u8 ch, bool keepProtected)
{
    const u8 protect = Tvi.set.protect;
    Tvi.set.protect = keepProtected ? 1 : 0;
    for (int r = 0; r <= LastRow(); ++r)
        ClearRange(r, 0, Tvi.set.lastColumn, ch);
    Tvi.set.protect = protect;
}

void TviEraseLine(int mode, u8 ch)
{
    const int row = Tvi.cursorRow, column = Tvi.cursorColumn, last = Tvi.set.lastColumn;
    if (!Tvi.set.protect) {
        if (mode == 0)
            ClearRange(row, column, last, ch);
        else if (mode == 1)
            ClearRange(row, 0, column, ch);
        else if (mode == 2)
            ClearRange(row, 0, last, ch);
        return;
    }
    // In protect mode the field between attribute starts is erased.
    if (mode == 0) {
        for (int c = column; c <= last && !AttrStartAt(row, c); ++c)
            TviClearCell(row, c, ch);
    } else if (mode == 1) {
        int first = column;
        while (first > 0 && !AttrStartAt(row, first - 1))
            --first;
        for (int c = first; c <= column; ++c)
            if (!AttrStartAt(row, c))
                TviClearCell(row, c, ch);
    } else if (mode == 2) {
        int first = column;
        while (first > 0 && !AttrStartAt(row, first))
            --first;
        if (AttrStartAt(row, first))
            ++first;
        for (int c = first; c <= last && !AttrStartAt(row, c); ++c)
            TviClearCell(row, c, ch);
    }
}

void TviErasePage(int mode, u8 ch)
{
    const int row = Tvi.cursorRow, last = Tvi.set.lastColumn;
    if (mode == 0) {
        ClearRange(row, Tvi.cursorColumn, last, ch);
        for (int r = row + 1; r <= LastRow(); ++r)
            ClearRange(r, 0, last, ch);
    } else if (mode == 1) {
        for (int r = 0; r < row; ++r)
            ClearRange(r, 0, last, ch);
        ClearRange(row, 0, Tvi.cursorColumn, ch);
    } else if (mode == 2) {
        for (int r = 0; r <= LastRow(); ++r)
            ClearRange(r, 0, last, ch);
    }
}

void TviInsertChars(int n)
{
    n = Clamp(n, Tvi.set.lastColumn + 1);
    const int end = ShiftEnd();
    if (end < 0 || TviLineAt(Tvi.cursorRow)->locked)
        return;
    const bool page = Tvi.set.pageEditMode && !Tvi.set.protect;
    for (int i = 0; i < n; ++i) {
        if (page) {
            // The whole page shifts: each row's last cell starts the row below.
            for (int r = LastRow() - 1; r >= Tvi.cursorRow; --r)
                ShiftRight(r + 1, 0, Tvi.set.lastColumn, TviLineAt(r)->cells[Tvi.set.lastColumn]);
        }
        ShiftRight(Tvi.cursorRow, Tvi.cursorColumn, end, FillCell());
    }
}

void TviDeleteChars(int n)
{
    n = Clamp(n, Tvi.set.lastColumn + 1);
    const int end = ShiftEnd();
    if (end < 0 || TviLineAt(Tvi.cursorRow)->locked)
        return;
    const bool page = Tvi.set.pageEditMode && !Tvi.set.protect;
    for (int i = 0; i < n; ++i) {
        if (!page) {
            ShiftLeft(Tvi.cursorRow, Tvi.cursorColumn, end, FillCell());
            continue;
        }
        // The page closes up: each row takes the first cell of the row below.
        ScreenCell in = FillCell();
        for (int r = LastRow(); r > Tvi.cursorRow; --r)
            in = ShiftLeft(r, 0, Tvi.set.lastColumn, in);
        ShiftLeft(Tvi.cursorRow, Tvi.cursorColumn, Tvi.set.lastColumn, in);
    }
}

void TviInsertLines(int n)
{
    if (Tvi.cursorRow < Tvi.regionTop || Tvi.cursorRow > Tvi.regionBottom)
        return;
    n = Clamp(n, Tvi.regionBottom - Tvi.cursorRow + 1);
    for (int i = 0; i < n; ++i) {
        if (Tvi.cursorRow == Tvi.regionBottom)
            TviClearLine(Tvi.cursorRow, 0, kTviCells - 1, Tvi.set.fillChar);
        else
            TviScrollRegionDown(Tvi.cursorRow, Tvi.regionBottom);
    }
    Tvi.cursorColumn = 0;
    Tvi.wrapPending = false;
}

void TviDeleteLines(int n)
{
    if (Tvi.cursorRow < Tvi.regionTop || Tvi.cursorRow > Tvi.regionBottom)
        return;
    n = Clamp(n, Tvi.regionBottom - Tvi.cursorRow + 1);
    for (int i = 0; i < n; ++i) {
        if (Tvi.cursorRow == Tvi.regionBottom)
            TviClearLine(Tvi.cursorRow, 0, kTviCells - 1, Tvi.set.fillChar);
        else
            TviScrollRegionUp(Tvi.cursorRow, Tvi.regionBottom);
    }
    Tvi.cursorColumn = 0;
    Tvi.wrapPending = false;
}

void TviInsertLine()
{
    TviInsertLines(1);
}

void TviDeleteLine()
{
    TviDeleteLines(1);
}

void TviCancelField()
{
    const int row = Tvi.cursorRow, last = Tvi.set.lastColumn;
    if (Tvi.set.protect) {
        int first = Tvi.cursorColumn;
        while (first > 0 && !ProtectedAt(row, first - 1))
            --first;
        Tvi.cursorColumn = first;
        // The field runs on over line ends unless attributes end at the line.
        int r = row, c = first;
        const int lastRow = Tvi.set.displayHeight < LastRow() ? Tvi.set.displayHeight : LastRow();
        while (r <= lastRow && !ProtectedAt(r, c)) {
            TviClearCell(r, c, Tvi.set.fillChar);
            if (++c > last) {
                if (Tvi.set.attrMode)
                    break;
                c = 0;
                ++r;
            }
        }
    } else {
        int first = Tvi.cursorColumn;
        while (first > 0 && !TviTabStops[first])
            --first;
        int end = first + 1;
        while (end <= last && !TviTabStops[end])
            ++end;
        Tvi.cursorColumn = first;
        ClearRange(row, first, end - 1, Tvi.set.fillChar);
    }
    Tvi.wrapPending = false;
}

void TviTab()
{
    Tvi.wrapPending = false;
    const int last = Tvi.set.lastColumn;
    if (Tvi.set.protect) {
        // On past the next protected run to the first unprotected cell after it.
        int r = Tvi.cursorRow, c = Tvi.cursorColumn;
        bool seenProtected = false;
        for (;;) {
            if (++c > last) {
                c = 0;
                if (++r > LastRow())
                    return;
            }
            if (ProtectedAt(r, c))
                seenProtected = true;
            else if (seenProtected)
                break;
        }
        Tvi.cursorRow = r;
        Tvi.cursorColumn = c;
        TviFollowCursor();
        TviSettleCursor();
        return;
    }
    for (int c = Tvi.cursorColumn + 1; c <= last; ++c)
        if (TviTabStops[c]) {
            Tvi.cursorColumn = c;
            return;
        }
}

void TviBackTab()
{
    Tvi.wrapPending = false;
    if (Tvi.set.protect) {
        // Back to the start of the previous unprotected field.
        const int last = Tvi.set.lastColumn;
        int r = Tvi.cursorRow, c = Tvi.cursorColumn;
        auto back = [&] {
            if (--c < 0) {
                c = last;
                --r;
            }
            return r >= 0;
        };
        while (back() && !ProtectedAt(r, c)) {
        }
        while (r >= 0 && ProtectedAt(r, c) && back()) {
        }
        if (r < 0) {
            TviHomeUnprotected();
            return;
        }
        while (true) {
            const int pr = r, pc = c;
            if (!back() || ProtectedAt(r, c)) {
                r = pr;
                c = pc;
                break;
            }
        }
        Tvi.cursorRow = r;
        Tvi.cursorColumn = c;
        TviFollowCursor();
        TviSettleCursor();
        return;
    }
    int c = Tvi.cursorColumn - 1;
    while (c > 0 && !TviTabStops[c])
        --c;
    Tvi.cursorColumn = c < 0 ? 0 : c;
}

void TviLockRow(bool lock)
{
    if (lock) {
        TviLineAt(Tvi.cursorRow)->locked = 1;
    } else {
        for (int i = 0; i < kTviLines; ++i)
            TviLineAt(i)->locked = 0;
    }
    TviSettleCursor();
}
