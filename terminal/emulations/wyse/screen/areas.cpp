// Rectangles, boxes, protected-field tabs and the cursor address the area commands read.
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/screen/screenops.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

// Box-drawing codes of the native set.
constexpr u8 kTopLeft = 18, kTopRight = 19, kBottomLeft = 17, kBottomRight = 21, kHorizontal = 26, kVertical = 22;

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

void PutCell(int line, int column, u8 character, bool skipProtected)
{
    ScreenLineRecord* record = WyLine(line);
    if (!record || column < 0 || column >= kWyseCells)
        return;
    ScreenCell& cell = record->cells[column];
    if (skipProtected && WyseIsProtectedCell(cell))
        return;
    cell.ch = character;
    cell.flags = 0;
    if (WyStore.attrMode60) {
        u8 rendition = WyMode.write.writeAttr;
        cell.colour = WyseCurrentAttributeColour(rendition, false);
        cell.rendition = static_cast<u8>((cell.rendition & kWyKeep) | rendition);
    } else {
        cell.colour = 0;
        cell.rendition = static_cast<u8>(cell.rendition & kWyKeep);
    }
}

bool Protected(int line, int column)
{
    const ScreenLineRecord* l = WyLine(line);
    return l && WyseIsProtectedCell(l->cells[column]);
}

// One cell on in the region (wrapping), over locked lines.
void StepForward(int& line, int& column)
{
    const WyseStoreState& s = WyStore;
    if (++column <= s.columnsLast)
        return;
    column = 0;
    for (int n = 0; n <= s.regionLast - s.regionFirst; ++n) {
        line = line >= s.regionLast ? s.regionFirst : line + 1;
        if (!WyseLineLocked(WyLine(line)))
            return;
    }
}

}  // namespace

bool WyseReadAddress(int* row, int* column, bool longColumn)
{
    const int r = WyseReadHostByte();
    if (r < 0)
        return false;
    int c = WyseReadHostByte();
    if (c < 0)
        return false;
    if (longColumn && c == '~') {
        const int extra = WyseReadHostByte();
        if (extra < 0)
            return false;
        c = ((extra & 0x7F) - 32) + 80;
    } else {
        c = (c & 0x7F) - 32;
    }
    *row = (r - 32) & 0x3F;
    // A column byte below the blank addresses column 0, never a cell before the line.
    *column = c < 0 ? 0 : c;
    return true;
}

void WyseFillRectangle(bool skipProtected)
{
    WyseStoreState& s = WyStore;
    int row = 0, column = 0;
    if (!WyseReadAddress(&row, &column, true))
        return;
    const int fill = WyseReadHostByte();
    if (fill < 0 || s.anyLocked)
        return;
    const int cornerLine = Clamp(s.regionFirst + row, s.regionFirst, s.regionLast);
    const int cornerColumn = Clamp(column, 0, s.lastColumnAllowed);
    const int l0 = s.cursorLine < cornerLine ? s.cursorLine : cornerLine;
    const int l1 = s.cursorLine < cornerLine ? cornerLine : s.cursorLine;
    const int c0 = s.cursorColumn < cornerColumn ? s.cursorColumn : cornerColumn;
    const int c1 = s.cursorColumn < cornerColumn ? cornerColumn : s.cursorColumn;
    for (int line = l0; line <= l1; ++line) {
        for (int c = c0; c <= c1; ++c)
            PutCell(line, c, static_cast<u8>(fill & 0x7F), skipProtected);
        WyseRepaintPageLineRun(line, c0);
        WyseRepaintPageSpan(line, c0, c1);
    }
}

void WyseDrawBox(int line0, int column0, int line1, int column1)
{
    WyseStoreState& s = WyStore;
    if (s.anyLocked)
        return;
    line0 = Clamp(line0, s.regionFirst, s.regionLast);
    line1 = Clamp(line1, s.regionFirst, s.regionLast);
    column0 = Clamp(column0, 0, s.lastColumnAllowed);
    column1 = Clamp(column1, 0, s.lastColumnAllowed);
    if (line0 > line1) {
        const int t = line0;
        line0 = line1;
        line1 = t;
    }
    if (column0 > column1) {
        const int t = column0;
        column0 = column1;
        column1 = t;
    }
    for (int line = line0; line <= line1; ++line) {
        for (int c = column0; c <= column1; ++c) {
            const bool top = line == line0, bottom = line == line1, left = c == column0, right = c == column1;
            u8 code = 0;
            if (line0 == line1)
                code = kHorizontal;
            else if (column0 == column1)
                code = kVertical;
            else if (top && left)
                code = kTopLeft;
            else if (top && right)
                code = kTopRight;
            else if (bottom && left)
                code = kBottomLeft;
            else if (bottom && right)
                code = kBottomRight;
            else if (top || bottom)
                code = kHorizontal;
            else if (left || right)
                code = kVertical;
            if (code)
                PutCell(line, c, code, false);
        }
        WyseRepaintPageSpan(line, column0, column1);
    }
}

void WyseTabForward()
{
    WyseStoreState& s = WyStore;
    const int startLine = s.cursorLine, startColumn = s.cursorColumn;
    int line = startLine, column = startColumn;
    bool passedProtected = false;
    const int cells = (s.regionLast - s.regionFirst + 1) * (s.columnsLast + 1) + 1;
    for (int n = 0; n < cells; ++n) {
        StepForward(line, column);
        if (line == startLine && column == startColumn)
            break;
        if (Protected(line, column)) {
            passedProtected = true;
        } else if (passedProtected) {
            s.cursorLine = line;
            s.cursorColumn = column;
            WyseUpdateCursor();
            return;
        }
    }
    WyseCursorHome();
}

void WyseTabBackward()
{
    WyseStoreState& s = WyStore;
    int line = s.cursorLine, column = s.cursorColumn;
    auto back = [&]() {
        if (--column >= 0)
            return true;
        if (line <= s.regionFirst)
            return false;
        column = s.columnsLast;
        do
            --line;
        while (line > s.regionFirst && WyseLineLocked(WyLine(line)));
        return true;
    };
    // Into the field before, then to its first cell.
    if (!back())
        return;
    while (Protected(line, column))
        if (!back())
            return;
    int fieldLine = line, fieldColumn = column;
    while (back() && !Protected(line, column)) {
        fieldLine = line;
        fieldColumn = column;
    }
    s.cursorLine = fieldLine;
    s.cursorColumn = fieldColumn;
    WyseUpdateCursor();
}
