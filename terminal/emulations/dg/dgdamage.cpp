#include "terminal/emulations/dg/dgdamage.h"

#include "terminal/core/paint/damage.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/dg/dgstate.h"

int DgViewLeftOfRow(int row)
{
    if (row < 0 || row >= kDgRows || !Dg.windows)
        return 0;
    const int index = Dg.rowWindow[row];
    return index == Dg.window.index ? Dg.window.viewLeft : Dg.windows[index].viewLeft;
}

int DgShownColumns(int row)
{
    const DgLine* line = row >= 0 && row < kDgRows ? Dg.rows[row] : nullptr;
    return line && (line->lineFlags & kDgLineCompressed) ? kDgCompressedWidth + 1 : kDgNormalWidth + 1;
}

int DgWindowColumn(int row, int column)
{
    const int c = column - DgViewLeftOfRow(row);
    return c >= 0 && c < DgShownColumns(row) ? c : -1;
}

void DgDamageCells(int row, int first, int last)
{
    if (row < 0 || row >= kDgRows || first > last || !Dg.block)
        return;
    const int left = DgViewLeftOfRow(row);
    int c0 = first - left, c1 = last - left;
    const int shown = DgShownColumns(row);
    if (c1 < 0 || c0 >= shown)
        return;
    if (c0 < 0)
        c0 = 0;
    if (c1 >= shown)
        c1 = shown - 1;
    DamageCells(row, c0, c1);
}

void DgDamageRows(int r0, int r1)
{
    if (r0 < 0)
        r0 = 0;
    if (r1 > kDgLastRow)
        r1 = kDgLastRow;
    if (r0 <= r1)
        DamageRegion(r0, 0, r1, kDamageColumns - 1);
}

void DgDamageAll()
{
    DgFlushPending();
    DamageAll();
}

void DgDamageScroll(int r0, int r1, bool up)
{
    // The pending span is recorded first: the mark then moves with its row.
    DgFlushPending();
    if (r0 < r1)
        DamageScroll(r0, r1, up);
    else
        DgDamageRows(r0, r1);
}

void DgNoteWritten(int row, int column)
{
    if (row != Dg.pendingRow) {
        DgFlushPending();
        Dg.pendingRow = row;
        Dg.pendingFirst = Dg.pendingLast = column;
        return;
    }
    if (column < Dg.pendingFirst)
        Dg.pendingFirst = column;
    if (column > Dg.pendingLast)
        Dg.pendingLast = column;
}

void DgFlushPending()
{
    if (Dg.pendingRow < 0)
        return;
    const int row = Dg.pendingRow;
    Dg.pendingRow = -1;
    DgDamageCells(row, Dg.pendingFirst, Dg.pendingLast);
}
