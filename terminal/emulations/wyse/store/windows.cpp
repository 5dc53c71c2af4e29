// Split-screen windows and pages: what each window shows, the cursor kept inside the
// active window's page region, and the page and window switches.
#include "terminal/core/screen/display.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

// The window shows a page line on each of its rows.
void HangWindowRows(const WyseWindowRecord& w)
{
    for (int r = w.firstRow; r <= w.lastRow && r < kWyseScreenRows && w.rows > 0; ++r) {
        const int line = w.state.top + (r - w.firstRow);
        ScreenLineRecord* record = WyLine(line);
        WyStore.row[r] = record ? record : &WyStore.screenBlock[r];
        if (Screen.lines)
            Screen.lines[r] = WyStore.row[r];
    }
}

bool ShowsWholeScreen(const WyseWindowRecord& w)
{
    return w.firstRow == 1 && w.lastRow == WyStore.displaySize;
}

}  // namespace

void WyseSaveWindowState()
{
    WyseWindowRecord& w = WyActiveWindow();
    w.state.cursorLine = static_cast<u16>(WyStore.cursorLine);
    w.state.cursorColumn = static_cast<u16>(WyStore.cursorColumn);
    w.state.protectMode = WyMode.protectMode;
    w.state.write = WyMode.write;
}

void WyseLoadWindowState()
{
    const WyseWindowRecord& w = WyActiveWindow();
    WyStore.regionFirst = w.state.first;
    WyStore.regionLast = w.state.last;
    WyStore.cursorLine = w.state.cursorLine;
    WyStore.cursorColumn = w.state.cursorColumn;
    WyMode.protectMode = w.state.protectMode;
    WyMode.write = w.state.write;
}

void WyseHangWindow(int index)
{
    HangWindowRows(WyStore.window[index & 1]);
}

void WyseRefreshWindow(int index, bool followCursor)
{
    WyseStoreState& s = WyStore;
    WyseWindowRecord& w = s.window[index & 1];
    if (w.rows == 0) {
        WyseRepaintAttributeRun(w.firstRow, 0);
        return;
    }
    const int oldTop = w.state.top;
    int top = w.state.top;
    const int rows = w.rows;
    if (top + rows - 1 > w.state.last)
        top = w.state.last - rows + 1;
    if (top < w.state.first)
        top = w.state.first;
    if (followCursor && index == s.active) {
        if (s.cursorLine < top)
            top = s.cursorLine;
        if (s.cursorLine > top + rows - 1)
            top = s.cursorLine - rows + 1;
    }
    w.state.top = static_cast<u16>(top);
    if (index == s.active)
        s.cursorRow = w.firstRow - top + s.cursorLine;
    HangWindowRows(w);
    // A window over the whole screen that moved one line scrolls the painted screen.
    const int moved = top - oldTop;
    if ((moved == 1 || moved == -1) && ShowsWholeScreen(w)) {
        if (moved == 1) {
            WyseScrollUpFast(w.firstRow, w.lastRow);
            WyseRepaintRow(w.lastRow);
        } else {
            WyseScrollDownFast(w.firstRow, w.lastRow);
            WyseRepaintRow(w.firstRow);
        }
    } else {
        for (int r = w.firstRow; r <= w.lastRow; ++r)
            WyseRepaintRow(r);
    }
    RefreshScrollThumb();
}

void WyseSetLineWidth()
{
    WyseStoreState& s = WyStore;
    const ScreenLineRecord* line = WyLine(s.cursorLine);
    s.lineLast = s.columnsLast;
    if (line && (WyseLineAttribute(line) & kWyDoubleWidth))
        s.lineLast = (s.columnsLast + 1) / 2 - 1;
    if (s.cursorColumn > s.lineLast)
        s.cursorColumn = s.lineLast;
    if (s.cursorColumn < 0)
        s.cursorColumn = 0;
}

void WyseUpdateCursor()
{
    WyseStoreState& s = WyStore;
    if (!WyseStoreActive())
        return;
    WyseSetLineWidth();
    WyseWindowRecord& w = WyActiveWindow();
    w.state.cursorLine = static_cast<u16>(s.cursorLine);
    w.state.cursorColumn = static_cast<u16>(s.cursorColumn);
    if (s.splitMode == 3 && s.window[0].pageNumber == s.window[1].pageNumber) {
        WyseWindowRecord& other = s.window[(s.active + 1) & 1];
        other.state.cursorLine = w.state.cursorLine;
        other.state.cursorColumn = w.state.cursorColumn;
    }
    if (s.cursorLine >= w.state.top && s.cursorLine <= w.state.top + w.rows - 1) {
        s.cursorRow = w.firstRow - w.state.top + s.cursorLine;
    } else {
        WyseRefreshWindow(s.active, true);
        WyseRepaintDirtyRows();
    }
    // The core's caret shows where the cursor is.
    Screen.cursorRow = static_cast<i16>(s.cursorRow);
    Screen.cursorColumn = static_cast<i16>(s.cursorColumn);
}

void WyseSyncCursorRow()
{
    const WyseWindowRecord& w = WyActiveWindow();
    const WyseStoreState& s = WyStore;
    if (s.cursorLine < w.state.top || s.cursorLine > w.state.top + w.rows - 1) {
        WyseRefreshWindow(s.active, true);
        WyseRepaintDirtyRows();
    }
}

void WyseCursorToRow(int row)
{
    WyseStoreState& s = WyStore;
    const WyseWindowRecord& w = WyActiveWindow();
    if (row < 0 || row >= w.state.length)
        return;
    int line = s.regionFirst + row;
    if (line > s.regionLast)
        line = s.regionLast;
    while (line < s.regionLast && WyseLineLocked(WyLine(line)))
        ++line;
    while (line > s.regionFirst && WyseLineLocked(WyLine(line)))
        --line;
    s.cursorLine = line;
    WyseUpdateCursor();
}

void WyseSetColumn(int column)
{
    WyStore.cursorColumn = column < 0 ? 0 : column;
    WyseUpdateCursor();
}

void WyseShowPage(int page)
{
    WyseStoreState& s = WyStore;
    const u8 id = s.id;
    const bool paged = id == kEmuWy50Plus || id == kEmuTvi910 || id == kEmuTvi920 || id == kEmuTvi925 ||
                       id == kEmuWy60;
    if (!paged || s.splitMode == 2 || page < 0 || page >= s.pageCount)
        return;
    WyseWindowRecord& w = WyActiveWindow();
    // The page it showed keeps where it was left.
    WyseSaveWindowState();
    WysePageRecord& old = s.page[w.pageNumber % kWyseMaxPages];
    old.top = w.state.top;
    old.cursorLine = w.state.cursorLine;
    old.cursorColumn = w.state.cursorColumn;
    old.protectMode = w.state.protectMode;
    old.write.protOverrideOn = WyMode.write.protOverrideOn;
    old.write.protForeground350 = WyMode.write.protForeground350;
    old.write.writeAttr = WyMode.write.writeAttr;
    if (s.attrMode60) {
        old.protectAttr = WySet.protAttr;
        old.write = WyMode.write;
    }
    const WysePageRecord& next = s.page[page];
    w.pageNumber = static_cast<u16>(page);
    w.state.length = next.length;
    w.state.first = next.first;
    w.state.last = next.last;
    w.state.top = next.top;
    w.state.cursorLine = next.cursorLine;
    w.state.cursorColumn = next.cursorColumn;
    w.state.protectMode = next.protectMode;
    WyseWriteState write = WyMode.write;
    write.protOverrideOn = next.write.protOverrideOn;
    write.protForeground350 = next.write.protForeground350;
    write.writeAttr = next.write.writeAttr;
    if (s.attrMode60) {
        write = next.write;
        WySet.protAttr = next.protectAttr;
    }
    w.state.write = write;
    s.shownPage = page;
    WyseLoadWindowState();
    WyseShowPageField();
    WyseRefreshWindow(s.active, true);
    WyseUpdateCursor();
    WyseRepaintDirtyRows();
}

void WyseSelectWindow(int index)
{
    WyseStoreState& s = WyStore;
    WyseSaveWindowState();
    s.active = index & 1;
    const WyseWindowRecord& w = WyActiveWindow();
    s.shownPage = s.splitMode == 1 ? s.active : w.pageNumber;
    WyseLoadWindowState();
    WyseShowPageField();
    WyseShowProtectField();
    WyseUpdateCursor();
}

int WyseOtherWindowRow(int line)
{
    const WyseStoreState& s = WyStore;
    if (s.splitMode != 3 || s.window[0].pageNumber != s.window[1].pageNumber)
        return -1;
    const WyseWindowRecord& o = s.window[(s.active + 1) & 1];
    if (o.rows == 0 || line < o.state.top || line > o.state.top + o.rows - 1)
        return -1;
    return o.firstRow + line - o.state.top;
}
