// Protected cells: which cells protect mode keeps the cursor and the writers off, and
// the walks past them.
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

bool WyseIsProtectedCell(const ScreenCell& cell)
{
    return WyMode.protectMode && WyseCellMarkedProtected(cell);
}

bool WyseCellMarkedProtected(const ScreenCell& cell)
{
    if (cell.rendition & (kWyProtected | kWyAttrCell))
        return true;
    // The graphics characters of the native set are protected field marks.
    if (!(cell.flags & 1) && cell.ch >= 0x10 && cell.ch <= 0x1F)
        return true;
    return !WyStore.attrMode60 && (cell.flags & kWyBankBits) != 0;
}

namespace {

bool CellProtected(int line, int column)
{
    const ScreenLineRecord* l = WyLine(line);
    return l && WyseIsProtectedCell(l->cells[column]);
}

int NextUnlockedLine(int line, int step)
{
    const WyseStoreState& s = WyStore;
    for (int n = 0; n <= s.regionLast - s.regionFirst; ++n) {
        line += step;
        if (line > s.regionLast)
            line = s.regionFirst;
        if (line < s.regionFirst)
            line = s.regionLast;
        if (!WyseLineLocked(WyLine(line)))
            return line;
    }
    return line;
}

}  // namespace

bool WyseSkipProtectedForward()
{
    WyseStoreState& s = WyStore;
    if (!CellProtected(s.cursorLine, s.cursorColumn))
        return true;
    const int startLine = s.cursorLine, startColumn = s.cursorColumn;
    int line = startLine, column = startColumn;
    const int cells = (s.regionLast - s.regionFirst + 1) * (s.columnsLast + 1) + 1;
    for (int n = 0; n < cells; ++n) {
        if (++column > s.columnsLast) {
            column = 0;
            line = NextUnlockedLine(line, 1);
        }
        if (line == startLine && column == startColumn)
            break;
        if (!CellProtected(line, column)) {
            s.cursorLine = line;
            s.cursorColumn = column;
            WyseUpdateCursor();
            return true;
        }
    }
    s.cursorLine = s.regionFirst;
    s.cursorColumn = 0;
    WyseUpdateCursor();
    return false;
}

bool WyseSkipProtectedBackward()
{
    WyseStoreState& s = WyStore;
    if (!CellProtected(s.cursorLine, s.cursorColumn))
        return true;
    int line = s.cursorLine, column = s.cursorColumn;
    for (;;) {
        if (--column < 0) {
            if (line <= s.regionFirst)
                return false;
            column = s.columnsLast;
            do
                --line;
            while (line > s.regionFirst && WyseLineLocked(WyLine(line)));
        }
        if (!CellProtected(line, column)) {
            s.cursorLine = line;
            s.cursorColumn = column;
            WyseUpdateCursor();
            return true;
        }
    }
}

u8 WyseFieldAttributeAt(int row, int column)
{
    // Attribute type 0 carries an attribute into the rows below; row 0 is the status
    // line and starts nothing.
    const int lowest = WySet.attrType == 0 ? 1 : row;
    for (int r = row; r > 0 && r >= lowest; --r) {
        const ScreenLineRecord* line = r < kWyseScreenRows ? WyStore.row[r] : nullptr;
        if (!line)
            return 0;
        for (int c = r == row ? column : WyStore.columnsLast; c >= 0; --c)
            if (line->cells[c].rendition & kWyAttrCell)
                return line->cells[c].rendition & kWyVideoBits;
    }
    return 0;
}
