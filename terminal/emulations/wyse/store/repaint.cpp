#include "terminal/emulations/wyse/store/repaint.h"

#include "terminal/core/screen/display.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

struct Span {
    i16 first = 1, last = 0;
};
Span g_map[kWyseScreenRows];
bool g_dirty = false;
bool g_all = false;

bool RowInUse(int row)
{
    return row >= 0 && row < WyStore.rowsInUse && row < kWyseScreenRows;
}

}  // namespace

void WyseMarkDirtySpan(int row, int first, int last)
{
    if (!RowInUse(row) || g_all)
        return;
    if (first < 0)
        first = 0;
    if (last >= kWyseCells)
        last = kWyseCells - 1;
    if (first > last)
        return;
    Span& s = g_map[row];
    if (s.first > s.last) {
        s.first = static_cast<i16>(first);
        s.last = static_cast<i16>(last);
    } else {
        if (first < s.first)
            s.first = static_cast<i16>(first);
        if (last > s.last)
            s.last = static_cast<i16>(last);
    }
    g_dirty = true;
}

void WyseMarkDirty(int row, int column)
{
    WyseMarkDirtySpan(row, column, column);
}

void WyseRepaintRow(int row)
{
    WyseMarkDirtySpan(row, 0, kWyseCells - 1);
}

void WyseRepaintAll()
{
    g_all = true;
    g_dirty = true;
}

bool WyseRepaintPending()
{
    return g_dirty;
}

void WyseClearRepaintMap()
{
    for (Span& s : g_map)
        s = Span{};
    g_dirty = g_all = false;
}

void WyseRepaintDirtyRows()
{
    if (!g_dirty)
        return;
    if (g_all) {
        RepaintScreenRegion(0, 0, kWyseScreenRows - 1, kWyseCells - 1);
    } else {
        for (int r = 0; r < kWyseScreenRows; ++r)
            if (g_map[r].first <= g_map[r].last)
                RepaintScreenRegion(r, g_map[r].first, r, g_map[r].last);
    }
    WyseClearRepaintMap();
}

void WyseRepaintAttributeRun(int row, int column)
{
    // The attribute governs the cells up to the next attribute cell; with attribute type
    // 0 it reaches past the end of the row into the rows below.
    for (int r = row; RowInUse(r); ++r) {
        const ScreenLineRecord* line = WyStore.row[r];
        int c = r == row ? column : 0;
        int end = kWyseCells - 1;
        if (line && !WyStore.attrMode60)
            for (int i = c + (r == row ? 1 : 0); i < kWyseCells; ++i)
                if (line->cells[i].rendition & kWyAttrCell) {
                    end = i - 1;
                    break;
                }
        WyseMarkDirtySpan(r, c, end < c ? c : end);
        if (end < kWyseCells - 1 || WySet.attrType != 0 || WyStore.attrMode60 || r == 0 || r == WyStore.labelRow)
            break;
        if (r + 1 > WyStore.displaySize)
            break;
    }
}

int WyseRowOfLine(int line)
{
    const WyseWindowRecord& w = WyActiveWindow();
    const int row = w.firstRow + line - w.state.top;
    return row >= w.firstRow && row <= w.lastRow && w.rows > 0 ? row : -1;
}

void WyseRepaintPageSpan(int line, int first, int last)
{
    const int row = WyseRowOfLine(line);
    if (row >= 0)
        WyseMarkDirtySpan(row, first, last);
    const int other = WyseOtherWindowRow(line);
    if (other >= 0)
        WyseMarkDirtySpan(other, first, last);
}

void WyseRepaintPageLineRun(int line, int column)
{
    const int row = WyseRowOfLine(line);
    if (row >= 0)
        WyseRepaintAttributeRun(row, column);
    const int other = WyseOtherWindowRow(line);
    if (other >= 0)
        WyseRepaintAttributeRun(other, column);
}

int WyseSpecialLineRow(int line)
{
    for (int r = 0; r < WyStore.rowsInUse && r < kWyseScreenRows; ++r)
        if (r == 0 || r == WyStore.labelRow)
            if (WyStore.row[r] == WyLine(line))
                return r;
    return -1;
}

void WyseRepaintSpecialLineRun(int line, int column)
{
    const int row = WyseSpecialLineRow(line);
    if (row >= 0)
        WyseMarkDirtySpan(row, column, kWyseCells - 1);
}

void WyseScrollUpFast(int firstRow, int lastRow)
{
    WyseRepaintDirtyRows();
    if (firstRow < lastRow)
        ScrollScreenUp(firstRow, lastRow);
    else
        WyseRepaintRow(firstRow);
}

void WyseScrollDownFast(int firstRow, int lastRow)
{
    WyseRepaintDirtyRows();
    if (firstRow < lastRow)
        ScrollScreenDown(firstRow, lastRow);
    else
        WyseRepaintRow(firstRow);
}
