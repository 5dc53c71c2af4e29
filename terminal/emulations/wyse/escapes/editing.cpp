// Inserting and deleting lines and characters, insert mode, the protected column.
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/screen/screenops.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

void WyseEscInsertLine()
{
    WyseStoreState& s = WyStore;
    if (WyMode.protectMode)
        return;
    WyseScrollLines(s.cursorLine, s.regionLast, false);
    WyseSetColumn(0);
}

void WyseEscDeleteLine()
{
    WyseStoreState& s = WyStore;
    if (WyMode.protectMode)
        return;
    WyseScrollLines(s.cursorLine, s.regionLast, true);
    WyseSetColumn(0);
}

void WyseEscInsertCharacter()
{
    const ScreenCell* cell = WyCursorCell();
    if (cell && WyseIsProtectedCell(*cell)) {
        RequestBell();
        return;
    }
    WyseInsertCell(WyStore.cursorLine, WyStore.cursorColumn, WyStore.attrMode60 ? 0 : ' ');
}

void WyseEscDeleteCharacter()
{
    const ScreenCell* cell = WyCursorCell();
    if (cell && WyseIsProtectedCell(*cell)) {
        RequestBell();
        return;
    }
    WyseDeleteCell(WyStore.cursorLine, WyStore.cursorColumn);
}

void WyseEscInsertModeOn()
{
    WyMode.insert = 1;
    WyseShowInsertField();
}

void WyseEscInsertModeOff()
{
    WyMode.insert = 0;
    WyseShowInsertField();
}

void WyseEscProtectColumn()
{
    WyseStoreState& s = WyStore;
    if (!WyIsPlusOr60())
        return;
    for (int line = s.cursorLine; line <= s.regionLast; ++line) {
        ScreenLineRecord* record = WyLine(line);
        if (!record || WyseLineLocked(record))
            continue;
        ScreenCell& cell = record->cells[s.cursorColumn];
        u8 rendition = static_cast<u8>((cell.rendition & kWyKeep) | kWyProtected);
        const u8 colour = s.attrMode60 ? WyseCurrentAttributeColour(rendition, false) : 0;
        cell = ScreenCell{' ', colour, rendition, static_cast<u8>(cell.flags & ~1)};
        WyseRepaintPageSpan(line, s.cursorColumn, s.cursorColumn);
    }
}
