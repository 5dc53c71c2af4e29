#include "terminal/emulations/dg/dgview.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/paint/damage.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgdamage.h"
#include "terminal/emulations/dg/dgstate.h"

std::atomic<int> DgCompressedCellWidth{0};

namespace {

// Where the cursor was drawn (window row and column) and whether it is; the blinking
// styles' phase. The host-data thread shows and hides it, the painter reads it.
std::atomic<bool> g_drawn{false};
std::atomic<int> g_row{0}, g_column{0};
std::atomic<bool> g_blinkOn{true};

void DamageCursorCell()
{
    DamageCells(g_row, g_column, g_column);
}

}  // namespace

void DgHideCursor()
{
    if (!g_drawn.exchange(false))
        return;
    DamageCursorCell();
}

void DgShowCursor()
{
    if (g_drawn || !Dg.block || Dg.cursorType == 0 || ModalOpen || !HasFocus)
        return;
    const int column = DgWindowColumn(Dg.row, Dg.column);
    if (column < 0)
        return;  // the cursor's column lies outside the view
    g_row = Dg.row;
    g_column = column;
    g_blinkOn = true;
    g_drawn = true;
    DamageCursorCell();
}

void DgDrawCursor(int argument)
{
    // The blink tick (1) leaves the steady full-cell style alone.
    if (argument != 0 && Dg.cursorType == 2)
        return;
    if (argument == 0) {
        if (g_drawn)
            DgHideCursor();
        else
            DgShowCursor();
        return;
    }
    g_blinkOn = !g_blinkOn;
    if (g_drawn)
        DamageCursorCell();
}

bool DgCursorDrawnAt(int* row, int* column)
{
    if (!g_drawn || !g_blinkOn)
        return false;
    *row = g_row;
    *column = g_column;
    return true;
}

void DgRedrawBlinking()
{
    if (!Dg.block)
        return;
    // Types 1 and 3 blink; type 2 stays steady.
    if (Dg.cursorType == 1 || Dg.cursorType == 3)
        DgDrawCursor(1);
    if (Dg.blinkDisabled)
        return;
    // Only cells whose look shows the blink change between the phases.
    for (int row = Dg.window.top; row <= Dg.window.bottom; ++row) {
        const ScreenCell* cells = Dg.rows[row]->cells;
        const int left = DgViewLeftOfRow(row), shown = DgShownColumns(row);
        int first = -1, last = -1;
        for (int c = 0; c < shown && left + c < kDgColumns; ++c) {
            const u8 r = cells[left + c].rendition;
            if ((r & kDgBlink) && (DgColours.frg[r & 0x0F] & kDgShowsBlink)) {
                if (first < 0)
                    first = c;
                last = c;
            }
        }
        if (first >= 0)
            DamageCells(row, first, last);
    }
}

bool DgSelectionArea(SelectionArea* area)
{
    if (!Dg.block)
        return false;
    *area = SelectionArea{};
    area->available = true;
    area->lowestRow = 0;
    area->highestRow = kDgLastRow;
    area->viewTop = 0;
    area->visibleRows = kDgRows;
    area->leftColumn = 0;
    area->rightColumn = kDgCompressedWidth;
    area->columnBase = 0;
    return true;
}

ScreenCell* DgSelectionRow(int row, int* columns, int* cellWidth)
{
    if (!Dg.block || row < 0 || row > kDgLastRow)
        return nullptr;
    const int left = DgViewLeftOfRow(row);
    const int shown = DgShownColumns(row);
    *columns = shown < kDgColumns - left ? shown : kDgColumns - left;
    const bool compressed = (Dg.rows[row]->lineFlags & kDgLineCompressed) != 0;
    *cellWidth = compressed ? DgCompressedCellWidth.load() : 0;
    return Dg.rows[row]->cells + left;
}

void DgCursorPosition(int* row, int* column)
{
    *row = Dg.row;
    *column = Dg.column;
}
