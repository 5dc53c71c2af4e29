#include "terminal/emulations/wyse/screen/cursor.h"

#include "terminal/comms/printing/printing.h"
#include "terminal/core/screen/autoprint.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/screen/printregion.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

bool Locked(int line)
{
    const ScreenLineRecord* l = WyLine(line);
    return l && WyseLineLocked(l);
}

bool Protected(int line, int column)
{
    const ScreenLineRecord* l = WyLine(line);
    return l && WyseIsProtectedCell(l->cells[column]);
}

int LastAddressableLine()
{
    const WyseStoreState& s = WyStore;
    int line = s.regionLast;
    while (line > s.regionFirst && Locked(line))
        --line;
    return line;
}

// The carry of the embedded model: the attribute in effect at the end of a row.
u8 AttributeAtRowEnd(int row)
{
    return row >= 1 && row < kWyseScreenRows ? WyseFieldAttributeAt(row, WyStore.columnsLast) : 0;
}

}  // namespace

int WyseFirstAddressableLine()
{
    const WyseStoreState& s = WyStore;
    int line = s.regionFirst;
    while (line < s.regionLast && Locked(line))
        ++line;
    return line;
}

int WyseCursorRightUnprotected()
{
    WyseStoreState& s = WyStore;
    int column = s.cursorColumn;
    do {
        if (column >= s.lineLast) {
            s.cursorColumn = s.lineLast;
            WyseUpdateCursor();
            return 1;
        }
        ++column;
    } while (Protected(s.cursorLine, column));
    s.cursorColumn = column;
    WyseUpdateCursor();
    return 0;
}

int WyseCursorLeftUnprotected()
{
    WyseStoreState& s = WyStore;
    int column = s.cursorColumn;
    do {
        if (column <= 0) {
            s.cursorColumn = 0;
            WyseUpdateCursor();
            return 1;
        }
        --column;
    } while (Protected(s.cursorLine, column));
    s.cursorColumn = column;
    WyseUpdateCursor();
    return 0;
}

void WyseCursorRight()
{
    if (WyseCursorRightUnprotected())
        WyseNewLine();
}

void WyseAdvanceAfterWrite()
{
    if (WyseCursorRightUnprotected() && (WyMode.monitor || WySet.autoWrap || WyMode.protectMode))
        WyseNewLine();
}

void WyseCursorLeft()
{
    WyseStoreState& s = WyStore;
    if (!WyseCursorLeftUnprotected())
        return;
    if (s.cursorLine <= WyseFirstAddressableLine())
        return;
    if (WyseCursorUpRow())
        return;
    s.cursorColumn = s.lineLast;
    WyseUpdateCursor();
    if (Protected(s.cursorLine, s.cursorColumn))
        WyseCursorLeftUnprotected();
}

int WyseCursorUpRow()
{
    WyseStoreState& s = WyStore;
    for (int line = s.cursorLine - 1; line >= s.regionFirst; --line)
        if (!Locked(line)) {
            s.cursorLine = line;
            WyseUpdateCursor();
            return 0;
        }
    return 1;
}

int WyseCursorDownRow()
{
    WyseStoreState& s = WyStore;
    for (int line = s.cursorLine + 1; line <= s.regionLast; ++line)
        if (!Locked(line)) {
            s.cursorLine = line;
            WyseUpdateCursor();
            return 0;
        }
    return 1;
}

void WyseCursorUp()
{
    WyseStoreState& s = WyStore;
    if (WyseCursorUpRow()) {
        s.cursorLine = LastAddressableLine();
        WyseUpdateCursor();
    }
    WyseSkipProtectedForward();
}

void WyseCarriageReturn()
{
    WyStore.cursorColumn = 0;
    WyseUpdateCursor();
    if (WyMode.autoLineFeed)
        WyseLineFeed();
    else
        WyseSkipProtectedForward();
}

void WyseNewLine()
{
    WyStore.cursorColumn = 0;
    WyseUpdateCursor();
    WyseLineFeed();
}

void WyseCursorHome()
{
    WyStore.cursorLine = WyseFirstAddressableLine();
    WyStore.cursorColumn = 0;
    WyseUpdateCursor();
    WyseSkipProtectedForward();
}

void WyseScrollLines(int first, int last, bool up)
{
    WyseStoreState& s = WyStore;
    if (first < 0 || last >= kWysePageMemoryLines || first >= last)
        return;
    // The addressable lines of the range, in order.
    int slots[kWysePageMemoryLines];
    int n = 0;
    for (int line = first; line <= last; ++line)
        if (!Locked(line))
            slots[n++] = line;
    if (n == 0)
        return;
    const int topRow = WyseRowOfLine(slots[0]);
    const bool embeddedCarry = !s.attrMode60 && WySet.attrType == 0 && topRow >= 1;
    // Scrolling up, the new top row takes its attribute from above the region instead
    // of from the row that left.
    const bool carryChanges = embeddedCarry && up && AttributeAtRowEnd(topRow) != AttributeAtRowEnd(topRow - 1);
    ScreenLineRecord* came;
    if (up) {
        came = s.line[slots[0]];
        for (int i = 0; i + 1 < n; ++i)
            s.line[slots[i]] = s.line[slots[i + 1]];
        s.line[slots[n - 1]] = came;
    } else {
        came = s.line[slots[n - 1]];
        for (int i = n - 1; i > 0; --i)
            s.line[slots[i]] = s.line[slots[i - 1]];
        s.line[slots[0]] = came;
    }
    WyseBlankLine(came, ' ', 0, s.attrMode60 ? WyseNormalColour() : 0);

    // The windows show the lines where they now are.
    WyseHangWindow(0);
    WyseHangWindow(1);
    const int firstRow = WyseRowOfLine(first), lastRow = WyseRowOfLine(last);
    const bool whole = firstRow >= 0 && lastRow >= 0 && n == last - first + 1;
    if (whole) {
        if (up)
            WyseScrollUpFast(firstRow, lastRow);
        else
            WyseScrollDownFast(firstRow, lastRow);
        WyseRepaintRow(up ? lastRow : firstRow);
        if (carryChanges)
            WyseRepaintAttributeRun(firstRow, 0);
        for (int w = 0; w < 2; ++w) {
            const WyseWindowRecord& other = s.window[w];
            if (w != s.active && other.rows > 0 && s.splitMode == 3)
                for (int r = other.firstRow; r <= other.lastRow; ++r)
                    WyseRepaintRow(r);
        }
    } else {
        for (int line = first; line <= last; ++line)
            WyseRepaintPageSpan(line, 0, kWyseCells - 1);
    }
}

void WyseLineFeed()
{
    WyseStoreState& s = WyStore;
    WyseRepaintDirtyRows();
    if (AutoPrintOn())
        WysePrintCursorLine();
    if (!WyseCursorDownRow()) {
        WyseSkipProtectedForward();
        return;
    }
    if (WySet.autoPage && s.pageCount > 1) {
        WyseShowPage((WyActiveWindow().pageNumber + 1) % s.pageCount);
        s.cursorLine = WyseFirstAddressableLine();
        WyseUpdateCursor();
        WyseSkipProtectedForward();
        return;
    }
    if (!WySet.autoScroll || WyMode.protectMode) {
        s.cursorLine = WyseFirstAddressableLine();
        WyseUpdateCursor();
        WyseSkipProtectedForward();
        return;
    }
    WyseScrollLines(s.regionFirst, s.regionLast, true);
    WyseUpdateCursor();
    WyseSkipProtectedForward();
}
