// Rebuilding the screen: the page memory blanked and carved into pages by the page
// format, window 0 on page 0, the status and label lines on their rows, and the core
// told the rows and columns.
#include "terminal/core/paint/palette.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/settings/store/defaults.h"

namespace {

int PageMemorySize()
{
    if (WyIsWy60())
        return WySet.economy ? 80 : 48;
    return WySet.economy ? 169 : 103;
}

void MakePage(int index, int first, int length)
{
    WysePageRecord& p = WyStore.page[index];
    p = WysePageRecord{};
    p.length = static_cast<u16>(length);
    p.first = static_cast<u16>(first);
    p.last = static_cast<u16>(first + length - 1);
    p.top = p.cursorLine = p.first;
    p.protectAttr = WySet.protAttr;
    p.write = WyMode.write;
}

void CarvePages()
{
    WyseStoreState& s = WyStore;
    const int display = s.displaySize;
    int format = WySet.pageFormat > 3 ? 0 : WySet.pageFormat;
    s.pageCount = 0;
    if (format == 3) {
        MakePage(0, 0, display);
        s.pageCount = 1;
        const int rest = s.pageMemorySize - display;
        if (rest >= display) {
            MakePage(1, display, rest);
            s.pageCount = 2;
        }
        return;
    }
    int length = display << format;
    if (length > s.pageMemorySize) {
        format = 0;
        length = display;
    }
    for (int first = 0; first + length <= s.pageMemorySize && s.pageCount < kWyseMaxPages; first += length)
        MakePage(s.pageCount++, first, length);
}

void HangRow(int row, ScreenLineRecord* line)
{
    if (row < 0 || row >= kWyseScreenRows)
        return;
    WyStore.row[row] = line ? line : &WyStore.screenBlock[row];
    if (Screen.lines)
        Screen.lines[row] = WyStore.row[row];
}

}  // namespace

void WysePlaceStatusLine()
{
    HangRow(0, WyLine(WySet.stat ? kWyseStatusRecord : kWyseBlankRecord));
    WyseRepaintRow(0);
}

void WysePlaceLabelLine()
{
    const WyseStoreState& s = WyStore;
    if (s.labelRow < 0)
        return;
    int line = kWyseBlankRecord;
    if (WyMode.labelsOn)
        line = WyMode.shiftDown && WyMode.shiftedLoaded ? kWyseShiftedLabelRecord : kWyseLabelRecord;
    if (s.row[s.labelRow] != WyLine(line)) {
        HangRow(s.labelRow, WyLine(line));
        WyseRepaintRow(s.labelRow);
    }
}

void WyseSetRowCount()
{
    Screen.lastColumn = static_cast<i16>(WyStore.columnsLast);
    SetScreenRowCount(WyStore.rowsInUse);
    RefitScreenFont();
    InvalidateTerminal();
}

void WyseRebuildScreen(bool reset)
{
    WyseStoreState& s = WyStore;
    if (!WyseStoreActive())
        return;
    WyseSuspendPainting();
    s.blankChar = WyIsPlusOr60() ? 0 : ' ';
    s.pageMemorySize = PageMemorySize();
    s.attrMode60 = WyIsWy60();
    s.displaySize = WyseValidDisplaySize(WySet.dispSize);
    const u8 colour = s.attrMode60 ? WyseNormalColour() : 0;
    for (int i = 0; i < kWysePageMemoryLines; ++i)
        WyseBlankLine(s.line[i], s.blankChar, 0, colour);
    s.anyLocked = false;
    CarvePages();

    WyseWindowRecord& w = s.window[0];
    w = WyseWindowRecord{};
    w.state = s.page[0];
    w.pageNumber = 0;
    w.rows = static_cast<u16>(s.displaySize);
    w.firstRow = 1;
    w.lastRow = static_cast<u16>(s.displaySize);
    s.window[1] = WyseWindowRecord{};
    s.active = 0;
    s.shownPage = 0;
    s.splitMode = 0;
    WyMode.protectMode = 0;
    s.regionFirst = w.state.first;
    s.regionLast = w.state.last;
    s.cursorLine = w.state.cursorLine;
    s.cursorColumn = 0;
    s.cursorRow = 1;

    if (reset)
        WyMode.labelsOn = WyIsTvi() ? 0 : 1;
    s.labelRow = s.displaySize == 24 ? 25 : s.displaySize == 42 ? 43 : -1;
    s.rowsInUse = s.displaySize < 27 ? 26 : 44;
    s.lastColumnAllowed = WySet.economy ? 79 : 131;
    if (WySet.economy)
        s.columnsLast = 79;
    for (int r = 0; r < kWyseScreenRows; ++r)
        HangRow(r, nullptr);
    WysePlaceStatusLine();
    for (int r = 1; r <= s.displaySize; ++r)
        HangRow(r, WyLine(w.state.top + r - 1));
    if (reset) {
        WyseBlankLine(WyLine(kWyseShiftedLabelRecord), ' ', 0, colour);
        WyseBlankLine(WyLine(kWyseLabelRecord), ' ', 0, colour);
        WyMode.shiftedLoaded = 0;
        WyMode.labelText = 0;
    }
    WysePlaceLabelLine();
    WyseUpdateCursor();
    WyseLayoutStatusLine(true);
    WyseResumePainting();
    ApplyColourPalette();
    WyseSetRowCount();
    WyseRepaintAll();
    WyseRepaintDirtyRows();
}
