#include "terminal/emulations/dg/dgscreen.h"

#include "terminal/emulations/dg/dgdamage.h"
#include "terminal/emulations/dg/dgstate.h"

namespace {

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

bool Protected(int row, int column)
{
    return (Dg.rows[row]->cells[column].rendition & kDgProtected) != 0;
}

// The view's first column for a width: never so far right that the view passes 161.
int CapViewLeft(int left, int width)
{
    return Clamp(left, 0, kDgLastColumn - width);
}

void SetView(int left)
{
    DgWindow& w = Dg.window;
    left = CapViewLeft(left, w.width);
    if (left == w.viewLeft)
        return;
    DgFlushPending();
    w.viewLeft = left;
    w.viewRight = left + w.width;
    DgDamageRows(w.top, w.bottom);
}

void StoreWindow()
{
    const DgWindow& w = Dg.window;
    if (!Dg.windows || w.index < 0 || w.index >= kDgWindows)
        return;
    Dg.windows[w.index] = DgWindowEntry{w.index, w.compressed, w.width, w.viewLeft, w.top, w.viewRight, w.bottom};
}

void LoadWindow(int index)
{
    const DgWindowEntry& e = Dg.windows[index];
    DgWindow& w = Dg.window;
    w.index = index;
    w.compressed = e.compressed;
    w.width = e.width;
    w.viewLeft = e.viewLeft;
    w.viewRight = e.viewRight;
    w.top = e.top;
    w.bottom = e.bottom;
}

// One step forward from (row, column) within the window: true when it went past the
// bottom row (the row is then the top row).
bool StepForward(int& row, int& column)
{
    const DgWindow& w = Dg.window;
    if (++column <= w.right)
        return false;
    column = w.left;
    if (++row <= w.bottom)
        return false;
    row = w.top;
    return true;
}

void StepBack(int& row, int& column)
{
    const DgWindow& w = Dg.window;
    if (--column >= w.left)
        return;
    column = w.right;
    if (--row < w.top)
        row = w.bottom;
}

// The rows the cursor walks through: the window's, held to the screen.
void HoldCursorInWindow()
{
    const DgWindow& w = Dg.window;
    Dg.row = Clamp(Dg.row, w.top, w.bottom);
    Dg.column = Clamp(Dg.column, 0, kDgLastColumn);
}

void BlankCells(int row, int first, int last)
{
    const ScreenCell blank = DgBlankCell();
    ScreenCell* cells = Dg.rows[row]->cells;
    for (int c = first; c <= last; ++c)
        cells[c] = blank;
}

void BlankLine(DgLine* line)
{
    const ScreenCell blank = DgBlankCell();
    for (ScreenCell& cell : line->cells)
        cell = blank;
}

// The rows top..bottom turn by one: up, the top row's line comes round to the bottom
// and is blanked; down, the reverse.
void RotateRows(int top, int bottom, bool up)
{
    if (top >= bottom) {
        BlankLine(Dg.rows[top]);
        return;
    }
    if (up) {
        DgLine* first = Dg.rows[top];
        for (int r = top; r < bottom; ++r)
            Dg.rows[r] = Dg.rows[r + 1];
        Dg.rows[bottom] = first;
    } else {
        DgLine* last = Dg.rows[bottom];
        for (int r = bottom; r > top; --r)
            Dg.rows[r] = Dg.rows[r - 1];
        Dg.rows[top] = last;
    }
    BlankLine(Dg.rows[up ? bottom : top]);
}

// The last column of the run an insert or delete of characters moves: the right margin,
// or with protection on the cell before the next protected one.
int EditRunEnd()
{
    int end = Dg.window.right;
    if (DgProtectOn())
        for (int c = Dg.column + 1; c <= Dg.window.right; ++c)
            if (Protected(Dg.row, c)) {
                end = c - 1;
                break;
            }
    return end;
}

// Moves cells of the cursor's row: with protection on only the characters move and
// every cell keeps its attributes.
void MoveCell(ScreenCell& to, const ScreenCell& from, bool charactersOnly)
{
    if (!charactersOnly) {
        to = from;
        return;
    }
    to.ch = from.ch;
    to.flags = static_cast<u8>((to.flags & ~kGlyphSetMask) | (from.flags & kGlyphSetMask));
}

void ClearCell(ScreenCell& cell, bool charactersOnly)
{
    if (!charactersOnly) {
        cell = DgBlankCell();
        return;
    }
    cell.ch = ' ';
    cell.flags = static_cast<u8>(cell.flags & ~kGlyphSetMask);
}

void RecomputeRowWindows()
{
    for (int r = 0; r < kDgRows; ++r)
        Dg.rowWindow[r] = 0;
    for (int i = kDgWindows - 1; i >= 0; --i) {
        const DgWindowEntry& e = Dg.windows[i];
        if (e.index < 0)
            continue;
        for (int r = Clamp(e.top, 0, kDgLastRow); r <= Clamp(e.bottom, 0, kDgLastRow); ++r)
            Dg.rowWindow[r] = static_cast<u8>(i);
    }
}

void SetRowWidths(int top, int bottom, bool compressed)
{
    for (int r = top; r <= bottom; ++r) {
        u8& flags = Dg.rows[r]->lineFlags;
        flags = static_cast<u8>(compressed ? flags | kDgLineCompressed : flags & ~kDgLineCompressed);
    }
}

}  // namespace

void DgSkipProtected(bool forward)
{
    if (!DgProtectOn())
        return;
    const int startRow = Dg.row, startColumn = Dg.column;
    int row = startRow, column = startColumn;
    while (Protected(row, column)) {
        if (forward)
            StepForward(row, column);
        else
            StepBack(row, column);
        if (row == startRow && column == startColumn)
            return;  // every cell is protected: the cursor stays
    }
    Dg.row = row;
    Dg.column = column;
}

void DgCursorForward()
{
    HoldCursorInWindow();
    const int startRow = Dg.row, startColumn = Dg.column;
    int row = startRow, column = startColumn;
    if (StepForward(row, column) && !Dg.rollDisabled) {
        // Past the bottom row the window rolls up; the cursor starts the new row.
        DgScrollUp(1);
        row = Dg.window.bottom;
    }
    // Protected cells are passed over; a window protected all round leaves the cursor
    // where it was.
    while (DgProtectOn() && Protected(row, column)) {
        StepForward(row, column);
        if (row == startRow && column == startColumn)
            break;
    }
    Dg.row = row;
    Dg.column = column;
}

void DgCursorBack()
{
    HoldCursorInWindow();
    const int startRow = Dg.row, startColumn = Dg.column;
    int row = startRow, column = startColumn;
    do
        StepBack(row, column);
    while (DgProtectOn() && Protected(row, column) && !(row == startRow && column == startColumn));
    Dg.row = row;
    Dg.column = column;
}

void DgCursorUp()
{
    HoldCursorInWindow();
    Dg.row = Dg.row <= Dg.window.top ? Dg.window.bottom : Dg.row - 1;
    DgSkipProtected(false);
}

void DgCursorDown()
{
    HoldCursorInWindow();
    Dg.row = Dg.row >= Dg.window.bottom ? Dg.window.top : Dg.row + 1;
    DgSkipProtected(true);
}

void DgNewLine()
{
    HoldCursorInWindow();
    if (Dg.row < Dg.window.bottom)
        ++Dg.row;
    else if (Dg.rollDisabled)
        Dg.row = Dg.window.top;
    else
        DgScrollUp(1);
    Dg.column = Dg.window.left;
    DgSkipProtected(true);
}

void DgCarriageReturn()
{
    HoldCursorInWindow();
    Dg.column = Dg.window.left;
    DgSkipProtected(true);
}

void DgIndex()
{
    HoldCursorInWindow();
    if (Dg.row < Dg.window.bottom)
        ++Dg.row;
    else
        DgScrollUp(1);
}

void DgReverseIndex()
{
    HoldCursorInWindow();
    if (Dg.row > Dg.window.top)
        --Dg.row;
    else
        DgScrollDown(1);
}

void DgSelectWindowOfRow(int row)
{
    row = Clamp(row, 0, kDgLastRow);
    if (!Dg.windows)
        return;
    const int index = Dg.rowWindow[row];
    if (index == Dg.window.index)
        return;
    StoreWindow();
    LoadWindow(index);
}

void DgSetCursor(int row, int column)
{
    if (row != kDgKeep) {
        row = Clamp(row, 0, kDgLastRow);
        DgSelectWindowOfRow(row);
        Dg.row = row;
    }
    if (column != kDgKeep)
        Dg.column = Clamp(column, Dg.window.left, Dg.window.right);
    HoldCursorInWindow();
    DgSkipProtected(true);
    if (!Dg.hscrollDisabled)
        DgFollowCursor();
}

void DgMoveCursor(int row, int column)
{
    const DgWindow& w = Dg.window;
    if (row != kDgKeep)
        Dg.row = Clamp(w.top + Clamp(row, 0, kDgLastRow), w.top, w.bottom);
    if (column != kDgKeep)
        Dg.column = Clamp(w.left + Clamp(column, 0, kDgLastColumn), w.left, w.right);
    HoldCursorInWindow();
    DgSkipProtected(true);
    if (!Dg.hscrollDisabled)
        DgFollowCursor();
}

void DgWindowHome()
{
    DgMoveCursor(0, 0);
}

void DgEraseRect(int left, int top, int right, int bottom, int mode)
{
    left = Clamp(left, 0, kDgLastColumn);
    right = Clamp(right, 0, kDgLastColumn);
    top = Clamp(top, 0, kDgLastRow);
    bottom = Clamp(bottom, 0, kDgLastRow);
    if (left > right || top > bottom)
        return;
    const bool protect = DgProtectOn();
    const ScreenCell blank = DgBlankCell();
    bool stopped = false;
    for (int r = top; r <= bottom && !stopped; ++r) {
        ScreenCell* cells = Dg.rows[r]->cells;
        for (int c = left; c <= right; ++c) {
            const bool guarded = (cells[c].rendition & kDgProtected) != 0;
            if (mode == kDgEraseToProtected && guarded && protect) {
                stopped = true;
                break;
            }
            if (mode == kDgEraseUnprotected && guarded && protect)
                continue;
            cells[c] = blank;
        }
    }
    if (left == 0 && top == 0 && right == kDgLastColumn && bottom == kDgLastRow)
        DgDamageAll();
    else
        for (int r = top; r <= bottom; ++r)
            DgDamageCells(r, left, right);
}

void DgEraseWindow()
{
    const DgWindow& w = Dg.window;
    DgEraseRect(w.viewLeft, w.top, w.viewRight, w.bottom, kDgEraseAll);
}

void DgClearScreen()
{
    DgEraseRect(0, 0, kDgLastColumn, kDgLastRow, kDgEraseAll);
}

void DgInsertChars(int count)
{
    HoldCursorInWindow();
    // A protected cell under the cursor takes no insert while protection is on.
    if (count <= 0 || (DgProtectOn() && Protected(Dg.row, Dg.column)) || Dg.column > Dg.window.right)
        return;
    const int end = EditRunEnd();
    const int span = end - Dg.column + 1;
    if (count > span)
        count = span;
    const bool charactersOnly = DgProtectOn();
    ScreenCell* cells = Dg.rows[Dg.row]->cells;
    for (int c = end; c >= Dg.column + count; --c)
        MoveCell(cells[c], cells[c - count], charactersOnly);
    for (int c = Dg.column; c < Dg.column + count; ++c)
        ClearCell(cells[c], charactersOnly);
    DgDamageCells(Dg.row, Dg.column, end);
}

void DgDeleteChars(int count)
{
    HoldCursorInWindow();
    if (count <= 0 || (DgProtectOn() && Protected(Dg.row, Dg.column)) || Dg.column > Dg.window.right)
        return;
    const int end = EditRunEnd();
    const int span = end - Dg.column + 1;
    if (count > span)
        count = span;
    const bool charactersOnly = DgProtectOn();
    ScreenCell* cells = Dg.rows[Dg.row]->cells;
    for (int c = Dg.column; c + count <= end; ++c)
        MoveCell(cells[c], cells[c + count], charactersOnly);
    for (int c = end - count + 1; c <= end; ++c)
        ClearCell(cells[c], charactersOnly);
    DgDamageCells(Dg.row, Dg.column, end);
}

void DgInsertLines(int count, bool withinMargins)
{
    HoldCursorInWindow();
    const DgWindow& w = Dg.window;
    const int rows = w.bottom - Dg.row + 1;
    if (count <= 0)
        return;
    if (count > rows)
        count = rows;
    if (withinMargins && (w.left > 0 || w.right < kDgLastColumn)) {
        for (int n = 0; n < count; ++n) {
            for (int r = w.bottom; r > Dg.row; --r)
                for (int c = w.left; c <= w.right; ++c)
                    Dg.rows[r]->cells[c] = Dg.rows[r - 1]->cells[c];
            BlankCells(Dg.row, w.left, w.right);
        }
        for (int r = Dg.row; r <= w.bottom; ++r)
            DgDamageCells(r, w.left, w.right);
        return;
    }
    for (int n = 0; n < count; ++n) {
        RotateRows(Dg.row, w.bottom, false);
        DgDamageScroll(Dg.row, w.bottom, false);
    }
}

void DgDeleteLines(int count, bool withinMargins)
{
    HoldCursorInWindow();
    const DgWindow& w = Dg.window;
    const int rows = w.bottom - Dg.row + 1;
    if (count <= 0)
        return;
    if (count > rows)
        count = rows;
    if (withinMargins && (w.left > 0 || w.right < kDgLastColumn)) {
        for (int n = 0; n < count; ++n) {
            for (int r = Dg.row; r < w.bottom; ++r)
                for (int c = w.left; c <= w.right; ++c)
                    Dg.rows[r]->cells[c] = Dg.rows[r + 1]->cells[c];
            BlankCells(w.bottom, w.left, w.right);
        }
        for (int r = Dg.row; r <= w.bottom; ++r)
            DgDamageCells(r, w.left, w.right);
        return;
    }
    for (int n = 0; n < count; ++n) {
        RotateRows(Dg.row, w.bottom, true);
        DgDamageScroll(Dg.row, w.bottom, true);
    }
}

void DgScrollUp(int count)
{
    const DgWindow& w = Dg.window;
    if (count > w.bottom - w.top + 1)
        count = w.bottom - w.top + 1;
    for (int n = 0; n < count; ++n) {
        RotateRows(w.top, w.bottom, true);
        DgDamageScroll(w.top, w.bottom, true);
    }
}

void DgScrollDown(int count)
{
    const DgWindow& w = Dg.window;
    if (count > w.bottom - w.top + 1)
        count = w.bottom - w.top + 1;
    for (int n = 0; n < count; ++n) {
        RotateRows(w.top, w.bottom, false);
        DgDamageScroll(w.top, w.bottom, false);
    }
}

void DgPanView(int columns)
{
    // Wider than the screen is as far as a pan can go.
    columns = Clamp(columns, -kDgColumns, kDgColumns);
    SetView(Dg.window.viewLeft + columns);
}

void DgShowColumns(int first, int last)
{
    const DgWindow& w = Dg.window;
    first = Clamp(first, 0, kDgLastColumn);
    last = Clamp(last, 0, kDgLastColumn);
    if (first > last) {
        const int t = first;
        first = last;
        last = t;
    }
    if (first >= w.viewLeft && last <= w.viewRight)
        return;
    if (last - first <= w.width)
        SetView(first < w.viewLeft ? first : last - w.width);
    else
        SetView(first);
}

void DgFollowCursor()
{
    DgShowColumns(Dg.column, Dg.column);
}

void DgSetMargins(int left, int right)
{
    if (left < 0 || right > kDgLastColumn || left > right)
        return;
    DgWindow& w = Dg.window;
    w.savedLeft = w.savedRight = -1;
    w.left = left;
    w.right = right;
    DgShowColumns(left, right);
    // The cursor keeps its row and starts at the new left margin.
    DgSetCursor(Dg.row, left);
}

void DgAlternateMargins(int row, int left, int right)
{
    DgWindow& w = Dg.window;
    if (w.savedLeft < 0) {
        w.savedLeft = w.left;
        w.savedRight = w.right;
    }
    const int offset = Dg.column - w.left;
    w.left = Clamp(w.savedLeft + Clamp(left, 0, kDgLastColumn), 0, w.savedRight);
    w.right = Clamp(w.savedLeft + Clamp(right, 0, kDgLastColumn), 0, w.savedRight);
    if (w.left > w.right)
        w.right = w.left;
    Dg.hscrollDisabled = 1;
    if (row != kDgKeep)
        DgMoveCursor(row, offset);
    else
        Dg.column = Clamp(Dg.column, w.left, w.right);
}

void DgRestoreMargins()
{
    DgWindow& w = Dg.window;
    if (w.savedLeft < 0)
        return;
    w.left = w.savedLeft;
    w.right = w.savedRight;
    w.savedLeft = w.savedRight = -1;
    Dg.hscrollDisabled = 0;
    DgShowColumns(w.left, w.right);
    Dg.column = Clamp(Dg.column, w.left, w.right);
}

void DgChangeAttributes(u32 count, int set, int reset)
{
    HoldCursorInWindow();
    const DgWindow& w = Dg.window;
    const int end = w.right < w.viewRight ? w.right : w.viewRight;
    const int start = w.left > w.viewLeft ? w.left : w.viewLeft;
    static constexpr u8 kBits[4] = {kDgBlink, kDgUnderline, kDgReverse, kDgDim};
    u64 remaining = static_cast<u64>(count) + 1;
    int row = Dg.row, column = Dg.column;
    while (remaining > 0 && row <= w.bottom) {
        const int first = column;
        int c = column;
        for (; c <= end && remaining > 0; ++c, --remaining) {
            u8& r = Dg.rows[row]->cells[c].rendition;
            for (int bit = 0; bit < 4; ++bit) {
                const bool s = (set >> bit) & 1, x = (reset >> bit) & 1;
                // Dim is inverted: setting the attribute takes the dim away.
                const bool inverted = kBits[bit] == kDgDim;
                if (s && x)
                    r ^= kBits[bit];
                else if (s)
                    r = static_cast<u8>(inverted ? r & ~kBits[bit] : r | kBits[bit]);
                else if (x)
                    r = static_cast<u8>(inverted ? r | kBits[bit] : r & ~kBits[bit]);
            }
        }
        if (c > first)
            DgDamageCells(row, first, c - 1);
        ++row;
        column = start;
    }
}

void DgResetWindows()
{
    if (!Dg.windows)
        return;
    for (int i = 0; i < kDgWindows; ++i)
        Dg.windows[i] = DgWindowEntry{-1, 0, kDgNormalWidth, 0, 0, kDgNormalWidth, 0};
    Dg.windows[0] = DgWindowEntry{0, 0, kDgNormalWidth, 0, 0, kDgNormalWidth, kDgLastRow};
    const int left = Dg.window.left, right = Dg.window.right;
    const int savedLeft = Dg.window.savedLeft, savedRight = Dg.window.savedRight;
    LoadWindow(0);
    Dg.window.left = left;
    Dg.window.right = right;
    Dg.window.savedLeft = savedLeft;
    Dg.window.savedRight = savedRight;
    RecomputeRowWindows();
    SetRowWidths(0, kDgLastRow, false);
    DgDamageAll();
}

void DgDefineWindows(int (*next)())
{
    if (!Dg.windows)
        return;
    struct Definition {
        int rows;
        bool compressed;
    };
    Definition defs[kDgWindows];
    int count = 0, top = 0;
    while (count < kDgWindows) {
        const int high = next();
        const int low = high < 0 ? -1 : next();
        const int flag = low < 0 ? -1 : next();
        if (flag < 0)
            return;  // a sequence broken off changes nothing
        int rows = ((high & 0x0F) << 4) | (low & 0x0F);
        const bool last = rows == 0 || top + rows >= kDgRows;
        if (last)
            rows = kDgRows - top;
        defs[count++] = Definition{rows, (flag & 0x0F) != 0};
        top += rows;
        if (last)
            break;
    }
    if (top < kDgRows)
        defs[count - 1].rows += kDgRows - top;
    DgFlushPending();
    const int margin = Dg.window.left;
    top = 0;
    for (int i = 0; i < kDgWindows; ++i) {
        if (i >= count) {
            Dg.windows[i] = DgWindowEntry{-1, 0, kDgNormalWidth, 0, 0, kDgNormalWidth, 0};
            continue;
        }
        const int width = defs[i].compressed ? kDgCompressedWidth : kDgNormalWidth;
        int viewLeft = margin;
        if (viewLeft + width > kDgLastColumn)
            viewLeft = defs[i].compressed ? 27 : 81;
        Dg.windows[i] = DgWindowEntry{
            i, defs[i].compressed ? 1 : 0, width, viewLeft, top, viewLeft + width, top + defs[i].rows - 1};
        SetRowWidths(top, top + defs[i].rows - 1, defs[i].compressed);
        top += defs[i].rows;
    }
    Dg.hscrollDisabled = 0;
    RecomputeRowWindows();
    const int left = Dg.window.left, right = Dg.window.right;
    LoadWindow(0);
    Dg.window.left = left;
    Dg.window.right = right;
    for (DgLine* line : Dg.rows)
        BlankLine(line);
    DgDamageAll();
    Dg.row = 0;
    Dg.column = Dg.window.left;
    DgMoveCursor(0, 0);
}

void DgSetWindowWidth(bool compressed)
{
    DgWindow& w = Dg.window;
    if ((w.compressed != 0) == compressed)
        return;
    DgFlushPending();
    w.compressed = compressed ? 1 : 0;
    w.width = compressed ? kDgCompressedWidth : kDgNormalWidth;
    SetRowWidths(w.top, w.bottom, compressed);
    int left = w.viewLeft;
    if (compressed)
        left = left > 27 ? 27 : left;
    else if (!Dg.hscrollDisabled)
        left = Dg.column < 81 ? 0 : Dg.column - 80;
    w.viewLeft = CapViewLeft(left, w.width);
    w.viewRight = w.viewLeft + w.width;
    StoreWindow();
    DgDamageRows(w.top, w.bottom);
}
