// Pages and split-screen windows: previous and next page, the page commands of ESC w
// and the split screen of ESC x.
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

void StepPage(int step)
{
    WyseStoreState& s = WyStore;
    if (s.splitMode != 0) {
        WyseSelectWindow(s.active ^ 1);
        return;
    }
    if (!WySet.multiPage || s.pageCount < 1)
        return;
    const int page = (WyActiveWindow().pageNumber + step + s.pageCount) % s.pageCount;
    WyseShowPage(page);
}

void ShowPageByte(int c)
{
    WyseStoreState& s = WyStore;
    if (!WySet.multiPage)
        return;
    const int bits = s.pageCount < 2 ? 1 : s.pageCount < 4 ? 3 : 7;
    int p = c & bits;
    if (p >= s.pageCount)
        p = 0;
    if (p != WyActiveWindow().pageNumber)
        WyseShowPage(p);
}

// The active window moves one line over its page; the cursor stays inside it.
void Pan(int step)
{
    WyseStoreState& s = WyStore;
    WyseWindowRecord& w = WyActiveWindow();
    const int top = w.state.top + step;
    if (top < w.state.first || top + w.rows - 1 > w.state.last)
        return;
    w.state.top = static_cast<u16>(top);
    if (s.cursorLine < top)
        s.cursorLine = top;
    if (s.cursorLine > top + w.rows - 1)
        s.cursorLine = top + w.rows - 1;
    WyseRefreshWindow(s.active, false);
    WyseUpdateCursor();
}

void SetPageFormat(int format)
{
    WySet.pageFormat = static_cast<u8>(format);
    WyseRebuildScreen(false);
    WyseSendAck();
}

WyseWindowRecord WindowOver(const WysePageRecord& page, int firstRow, int rows, int pageNumber)
{
    WyseWindowRecord w;
    w.state = page;
    w.pageNumber = static_cast<u16>(pageNumber);
    w.rows = static_cast<u16>(rows);
    w.firstRow = static_cast<u16>(firstRow);
    w.lastRow = static_cast<u16>(firstRow + rows - 1);
    return w;
}

// The single-page personalities: the windows share page 0.
void SplitOnePage(int c, int n, bool split)
{
    WyseStoreState& s = WyStore;
    const int display = s.displaySize;
    WyMode.writeProtect = 0;
    if (!(c & 0x40))
        WyseRebuildScreen(false);
    const int oldMode = s.splitMode;
    WysePageRecord page = s.page[0];
    if (!split) {
        s.splitMode = 0;
        page.first = page.top = 0;
        page.last = static_cast<u16>(display - 1);
        page.length = static_cast<u16>(display);
        s.window[0] = WindowOver(page, 1, display, 0);
        s.window[1] = WyseWindowRecord{};
    } else {
        if (oldMode == 0) {
            s.cursorLine = 0;
            s.cursorColumn = 0;
        } else if (s.cursorLine >= n) {
            s.cursorLine = 0;
        }
        s.splitMode = 1;
        WysePageRecord upper = page, lower = page;
        upper.first = upper.top = 0;
        upper.last = static_cast<u16>(n - 1);
        upper.length = static_cast<u16>(n);
        upper.protectMode = 0;
        lower.first = lower.top = static_cast<u16>(n);
        lower.last = static_cast<u16>(display - 1);
        lower.length = static_cast<u16>(display - n);
        lower.protectMode = 0;
        lower.cursorLine = lower.first;
        lower.cursorColumn = 0;
        s.window[0] = WindowOver(upper, 1, n, 0);
        s.window[1] = WindowOver(lower, n + 1, display - n, 0);
        if (s.cursorLine < n) {
            s.window[0].state.cursorLine = static_cast<u16>(s.cursorLine);
            s.window[0].state.cursorColumn = static_cast<u16>(s.cursorColumn);
        }
        WyseRefreshWindow(1, false);
    }
    s.active = 0;
    WyMode.protectMode = 0;
}

void SplitPages(int c, int n)
{
    WyseStoreState& s = WyStore;
    const int display = s.displaySize;
    const int mode = (c & 3) == 1 ? 2 : (c & 3) == 3 ? 3 : 0;
    if (!(c & 0x40))
        WyseRebuildScreen(false);
    const int oldMode = s.splitMode;
    if (mode == 2 || oldMode == 2) {
        for (int p = 0; p < s.pageCount; ++p) {
            WysePageRecord& page = s.page[p];
            page.top = page.cursorLine = page.first;
            page.cursorColumn = 0;
            page.protectMode = 0;
            page.write = WyMode.write;
        }
    } else {
        WyseSaveWindowState();
        const int other = s.active ^ 1;
        if (s.window[other].rows > 0 && s.window[other].pageNumber != WyActiveWindow().pageNumber)
            s.page[s.window[other].pageNumber % kWyseMaxPages] = s.window[other].state;
        s.page[WyActiveWindow().pageNumber % kWyseMaxPages] = WyActiveWindow().state;
    }
    const int p = mode == 2 ? 0 : WyActiveWindow().pageNumber % (s.pageCount > 0 ? s.pageCount : 1);
    s.splitMode = mode;
    s.active = 0;
    if (mode == 0) {
        s.window[0] = WindowOver(s.page[p], 1, display, p);
        s.window[0].rows = static_cast<u16>(display);
        s.window[1] = WyseWindowRecord{};
    } else {
        const int q = s.pageCount > 0 ? (p + 1) % s.pageCount : 0;
        WysePageRecord upper = s.page[p], lower = s.page[q];
        if (mode == 2) {
            upper.length = static_cast<u16>(n);
            upper.last = static_cast<u16>(upper.first + n - 1);
            lower.length = static_cast<u16>(display - n);
            lower.last = static_cast<u16>(lower.first + display - n - 1);
        }
        s.window[0] = WindowOver(upper, 1, n, p);
        s.window[1] = WindowOver(lower, n + 1, display - n, q);
        WyseRefreshWindow(1, false);
    }
    s.shownPage = p;
    WyseLoadWindowState();
    WyseShowPageField();
    WyseShowProtectField();
    WyseShowWriteProtectField();
}

}  // namespace

void WyseEscPreviousPage()
{
    StepPage(-1);
}

void WyseEscNextPage()
{
    StepPage(1);
}

void WyseEscPages()
{
    const int c = WyseReadHostByte();
    if (c < 0 || !WyIsPlusOr60())
        return;
    if (c >= '@' && c <= 'O') {
        switch (c & 0x0F) {
        case 0: WyseEscCursorToPage(); break;
        case 2: StepPage(-1); break;
        case 3: StepPage(1); break;
        case 5: Pan(-1); break;
        case 6: Pan(1); break;
        case 7:
        case 8:
        case 9:
        case 10: SetPageFormat((c & 0x0F) - 7); break;
        default: break;
        }
        return;
    }
    if ((c >= 'P' && c <= '_') || (c >= '0' && c <= '?') || c >= 'p') {
        ShowPageByte(c);
        return;
    }
    WyseEscReportPageCursor();
}

void WyseEscSplit()
{
    WyseStoreState& s = WyStore;
    int c = WyseReadHostByte();
    if (c < 0)
        return;
    if (c == 0)
        c = ' ';
    if (s.splitMode == 3 && (c == 'P' || c == 'R')) {
        WyseWindowRecord& upper = s.window[0];
        WyseWindowRecord& lower = s.window[1];
        const int step = c == 'P' ? 1 : -1;
        if ((step > 0 && upper.rows < s.displaySize - 1) || (step < 0 && upper.rows >= 2)) {
            upper.rows = static_cast<u16>(upper.rows + step);
            upper.lastRow = static_cast<u16>(upper.lastRow + step);
            lower.rows = static_cast<u16>(lower.rows - step);
            lower.firstRow = static_cast<u16>(lower.firstRow + step);
            WyseRefreshWindow(0, s.active == 0);
            WyseRefreshWindow(1, s.active == 1);
            WyseUpdateCursor();
        }
        return;
    }
    const bool split = (c & 1) != 0;
    int n = 0;
    if (split) {
        const int b = WyseReadHostByte();
        if (b < 0)
            return;
        n = b - 32;
        if (!WyIsPlusOr60())
            n &= 0x1F;
        if (n <= 0 || n >= s.displaySize)
            return;
    }
    WyseSuspendPainting();
    if (WyIsPlusOr60())
        SplitPages(c, split ? n : 0);
    else
        SplitOnePage(c, n, split);
    WyMode.graphics = 0;
    WyMode.tviGraphics = 0;
    WyseLoadWindowState();
    WyseSelectWindow(0);
    WyseRefreshWindow(0, true);
    WyseResumePainting();
    if (c & 0x40)
        WyseRepaintAll();
    WyseRepaintDirtyRows();
    WyseSendAck();
}
