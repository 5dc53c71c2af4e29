// Cursor addressing, the cursor and identity reports, windows and tab stops.
#include <cstdio>

#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/screen/screenops.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

void SendAscii(const char* text)
{
    u16 units[32];
    int n = 0;
    while (text[n] && n < 32) {
        units[n] = static_cast<u8>(text[n]);
        ++n;
    }
    WyseSendBytes(units, n);
}

int PageRows()
{
    return WyActiveWindow().state.length;
}

// The cursor to a row of the page and a column; out of range does nothing.
void MoveTo(int row, int column)
{
    WyseStoreState& s = WyStore;
    if (row < 0 || row >= PageRows() || column > s.columnsLast)
        return;
    s.cursorColumn = column < 0 ? 0 : column;
    WyseCursorToRow(row);
}

int RowFromWindowTop()
{
    return WyStore.cursorLine - WyActiveWindow().state.top;
}

// Decimal digits up to a terminator; -1 when the value passed `highest` or a byte was
// missing (the rest of the sequence then arrives as data).
int ReadDecimal(int terminator, int highest)
{
    int value = 0;
    for (;;) {
        const int b = WyseReadHostByte();
        if (b < 0)
            return -1;
        if (b == terminator)
            return value;
        value = value * 10 + (b & 0x0F);
        if (value > highest)
            return -1;
    }
}

bool AnyTabStop()
{
    for (u8 t : WySet.tabStops)
        if (t == 'T')
            return true;
    return false;
}

}  // namespace

void WyseEscIdentify()
{
    switch (WyId()) {
    case kEmuWy50: SendAscii(WySet.useColour ? "350\r" : "50\r"); break;
    case kEmuWy50Plus: SendAscii("50+\r"); break;
    case kEmuWy60: SendAscii(WySet.useColour ? "60C\r" : "60\r"); break;
    default: break;
    }
}

void WyseEscAddressCursor()
{
    int row = 0, column = 0;
    if (WyseReadAddress(&row, &column, false))
        MoveTo(row, column);
}

void WyseEscCursorToPage()
{
    WyseStoreState& s = WyStore;
    const int page = WyseReadHostByte();
    if (page < 0)
        return;
    int row = 0, column = 0;
    if (!WyseReadAddress(&row, &column, false))
        return;
    if (s.splitMode != 0) {
        const int window = page & 1;
        if (window != s.active)
            WyseSelectWindow(window);
    } else if (WySet.multiPage) {
        const int bits = s.pageCount < 2 ? 1 : s.pageCount < 4 ? 3 : 7;
        int p = page & bits;
        if (p >= s.pageCount)
            p = 0;
        if (p != WyActiveWindow().pageNumber)
            WyseShowPage(p);
    }
    MoveTo(row, column);
}

void WyseEscCursorToRow()
{
    const int b = WyseReadHostByte();
    if (b >= 0)
        MoveTo((b - 32) & 0x3F, WyStore.cursorColumn);
}

void WyseEscCursorToColumn()
{
    const int b = WyseReadHostByte();
    if (b < 0)
        return;
    const int column = (b & 0x7F) - 32;
    if (column <= WyStore.columnsLast)
        WyseSetColumn(column < 0 ? 0 : column);
}

void WyseEscAddressDecimal()
{
    const int row = ReadDecimal('R', PageRows());
    if (row < 0)
        return;
    const int column = ReadDecimal('C', WyStore.columnsLast + 1);
    if (column < 0)
        return;
    MoveTo((row == 0 ? 1 : row) - 1, (column == 0 ? 1 : column) - 1);
}

void WyseEscReportDecimal()
{
    char text[16];
    std::snprintf(text, sizeof text, "%03dR%03dC", (RowFromWindowTop() + 1) % 1000,
                  (WyStore.cursorColumn + 1) % 1000);
    SendAscii(text);
}

void WyseEscReportCursor()
{
    const u16 report[3] = {static_cast<u16>(RowFromWindowTop() + 32), static_cast<u16>(WyStore.cursorColumn + 32),
                           0x0D};
    WyseSendBytes(report, 3);
}

void WyseEscReportPageCursor()
{
    const u16 report[4] = {static_cast<u16>(WyStore.shownPage + '0'), static_cast<u16>(RowFromWindowTop() + 32),
                           static_cast<u16>(WyStore.cursorColumn + 32), 0x0D};
    WyseSendBytes(report, 4);
}

void WyseEscHome()
{
    WyseCursorHome();
}

void WyseEscUpperWindow()
{
    if (WyStore.splitMode != 0 && WyStore.active == 1)
        WyseSelectWindow(0);
}

void WyseEscLowerWindow()
{
    if (WyStore.splitMode != 0 && WyStore.active == 0)
        WyseSelectWindow(1);
}

void WyseEscTab()
{
    WyseStoreState& s = WyStore;
    if (WyMode.protectMode) {
        WyseTabForward();
        return;
    }
    if (!AnyTabStop())
        return;
    for (int c = s.cursorColumn + 1; c < s.lineLast; ++c)
        if (WySet.tabStops[c] == 'T') {
            WyseSetColumn(c);
            return;
        }
    WyseNewLine();
}

void WyseEscBackTab()
{
    WyseStoreState& s = WyStore;
    if (WyMode.protectMode) {
        WyseTabBackward();
        return;
    }
    if (!AnyTabStop())
        return;
    int column = s.cursorColumn;
    if (column == 0) {
        if (WyseCursorUpRow())
            return;
        column = s.lineLast + 1;
    }
    for (int c = column - 1; c >= 0; --c)
        if (WySet.tabStops[c] == 'T') {
            WyseSetColumn(c);
            return;
        }
    WyseSetColumn(0);
}

void WyseEscClearTabs()
{
    for (u8& t : WySet.tabStops)
        t = ' ';
    WyMode.wideTabs = 0;
}

void WyseEscSetTab()
{
    if (WyStore.cursorColumn < kWyseTabColumns) {
        WySet.tabStops[WyStore.cursorColumn] = 'T';
        WyMode.wideTabs = 1;
    }
}

void WyseEscClearTab()
{
    if (WyStore.cursorColumn > 0 && WyStore.cursorColumn < kWyseTabColumns)
        WySet.tabStops[WyStore.cursorColumn] = ' ';
}

void WyseEscReverseLineFeed()
{
    WyseStoreState& s = WyStore;
    if (!WyseCursorUpRow())
        return;
    if (WySet.autoScroll && !WyMode.protectMode)
        WyseScrollLines(WyseFirstAddressableLine(), s.regionLast, false);
}
