#include "terminal/emulations/wyse/screen/selection.h"

#include "terminal/core/screen/selectiontext.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/platform.h"
#include "terminal/emulations/wyse/store/wysestore.h"

bool WyseSelectionArea(SelectionArea* area)
{
    if (!WyseStoreActive())
        return false;
    const WyseStoreState& s = WyStore;
    *area = SelectionArea{};
    area->available = true;
    area->highestRow = s.rowsInUse - 1;
    area->rightColumn = s.columnsLast;
    area->visibleRows = s.rowsInUse;
    return true;
}

ScreenCell* WyseSelectionRow(int row, int* columns, int* cellWidth)
{
    const WyseStoreState& s = WyStore;
    if (!WyseStoreActive() || row < 0 || row >= s.rowsInUse || row >= kWyseScreenRows || !s.row[row])
        return nullptr;
    ScreenLineRecord* line = s.row[row];
    const bool wide = (WyseLineAttribute(line) & kWyDoubleWidth) != 0;
    *columns = wide ? (s.columnsLast + 1) / 2 : s.columnsLast + 1;
    *cellWidth = wide ? WyseDoubleCellWidth() : 0;
    return line->cells;
}

u16 WyseCellChar(const ScreenCell& cell)
{
    const bool attribute = !WyStore.attrMode60 && (cell.rendition & kWyAttrCell);
    const bool empty = cell.ch == 0 && !(WyStore.attrMode60 && (cell.flags & 1));
    return attribute || empty ? u16{' '} : WyseCellUnicode(cell.ch, cell.flags);
}
