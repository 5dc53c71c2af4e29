// Cursor moves, erasing, margins, insert/delete and row repaint on the screen store.
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/paintsettings.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/core/screen/screenstore.h"

#include <algorithm>
#include <cstring>

PendingRowSpan PendingSpan{};
std::atomic<u8> DoubleWidthCells{0};
u8 PendingWrap = 0;
std::atomic<u32> StatusLineWriting{0};

namespace {

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

ScreenLineRecord* RowLine(int row)
{
    return LineAt(StatusLineWriting ? 0 : row);
}

int LimitForLine(const ScreenLineRecord* line)
{
    if (line && (line->cells[0].flags & kLineDoubleWidth))
        return Screen.lastColumn / 2;
    return Screen.lastColumn;
}

// A blank for partial erases: the line attributes stay with cell 0.
void BlankCells(ScreenLineRecord* line, int a, int b)
{
    if (!line)
        return;
    a = a < 0 ? 0 : a;
    b = b > kStoreColumns - 1 ? kStoreColumns - 1 : b;
    const u8 lineAttrs = line->cells[0].flags & kLineAttrBits;
    const ScreenCell blank = BlankCell();
    for (int c = a; c <= b; ++c)
        line->cells[c] = blank;
    if (a == 0)
        line->cells[0].flags |= lineAttrs;
}

// Rows affected by line and column operations: from the cursor row to the bottom
// margin inside the region, to the page end below it, to the top margin above it.
void AffectedRows(int* first, int* last)
{
    const int row = Screen.cursorRow;
    *first = row;
    if (row >= Screen.top && row <= Screen.bottom)
        *last = Screen.bottom;
    else if (row > Screen.bottom)
        *last = Screen.pageLength - 1;
    else
        *last = Screen.top;
}

// Rotates the line pointers of slots first..last by one; the line that comes round is
// blanked. Only those slots move, so the history is never touched.
void RotateSlots(int first, int last, bool down)
{
    if (first >= last)
        return;
    if (ScreenLineRecord* line = RotateLineSlots(first, last, down))
        BlankLineCells(line);
}

void ShiftCells(ScreenLineRecord* line, int first, int last, int n, bool right)
{
    if (!line || first > last)
        return;
    const u8 lineAttrs = line->cells[0].flags & kLineAttrBits;
    if (n > last - first + 1)
        n = last - first + 1;
    // One block move and one fill: an insert or delete per character (insert mode) must
    // not cost a loop of single-cell copies.
    ScreenCell* cells = line->cells;
    const ScreenCell blank = BlankCell();
    const std::size_t moved = static_cast<std::size_t>(last - first + 1 - n) * sizeof(ScreenCell);
    if (right) {
        std::memmove(cells + first + n, cells + first, moved);
        std::fill(cells + first, cells + first + n, blank);
    } else {
        std::memmove(cells + first, cells + first + n, moved);
        std::fill(cells + last - n + 1, cells + last + 1, blank);
    }
    // The line attributes stay in cell 0 alone; cleared two cells at a time with a mask
    // laid out as two cells (whatever the byte order).
    const ScreenCell keep[2] = {{0xFF, 0xFF, 0xFF, static_cast<u8>(~kLineAttrBits)},
                                {0xFF, 0xFF, 0xFF, static_cast<u8>(~kLineAttrBits)}};
    u64 mask;
    std::memcpy(&mask, keep, sizeof mask);
    int c = first;
    for (; c < last; c += 2) {
        u64 pair;
        std::memcpy(&pair, cells + c, sizeof pair);
        pair &= mask;
        std::memcpy(cells + c, &pair, sizeof pair);
    }
    if (c == last)
        cells[c].flags &= static_cast<u8>(~kLineAttrBits);
    line->cells[0].flags = static_cast<u8>((line->cells[0].flags & ~kLineAttrBits) | lineAttrs);
}

void ShiftCharacters(int n, bool insert)
{
    if (n == 0)
        n = 1;
    if (n < 0)
        return;
    const int limit = CursorColumnLimit();
    const int column = Screen.cursorColumn;
    int end = column > Screen.right ? limit : Screen.right;
    if (end > limit)
        end = limit;
    if (column > end)
        return;
    ShiftCells(CursorLine(), column, end, n, insert);
    RepaintRowSpan(Screen.cursorRow, column, end);
}

void ShiftColumns(int n, bool insert)
{
    int first = Screen.top, last = Screen.bottom;
    const int row = Screen.cursorRow;
    if (row > Screen.bottom) {
        first = Screen.bottom;
        last = Screen.pageLength - 1;
    } else if (row < Screen.top) {
        first = 0;
        last = Screen.top;
    }
    for (int r = first; r <= last; ++r) {
        Screen.cursorRow = static_cast<i16>(r);
        if (insert)
            InsertCharacters(n);
        else
            DeleteCharacters(n);
    }
    Screen.cursorRow = static_cast<i16>(row);
}

void ShiftLines(int n, bool insert)
{
    if (VtLocalEditing()) {
        if (insert && LocalEditor.insertLines)
            return LocalEditor.insertLines(n);
        if (!insert && LocalEditor.deleteLines)
            return LocalEditor.deleteLines(n);
    }
    if (StatusLineWriting) {
        BlankLineCells(LineAt(0));
        RepaintRowSpan(0, 0, Screen.lastColumn);
        CarriageReturn();
        return;
    }
    if (n == 0)
        n = 1;
    if (n < 0)
        return;
    int first, last;
    AffectedRows(&first, &last);
    if (LeftRightMarginsNarrow()) {
        int left = Screen.left, right = Screen.right;
        if (Screen.cursorColumn < Screen.left) {
            left = 0;
        } else if (Screen.cursorColumn > Screen.right) {
            left = Screen.cursorColumn;
            right = CursorColumnLimit();
        }
        const i16 saved[4] = {Screen.top, Screen.bottom, Screen.left, Screen.right};
        Screen.top = static_cast<i16>(first);
        Screen.bottom = static_cast<i16>(last);
        Screen.left = static_cast<i16>(left);
        Screen.right = static_cast<i16>(right);
        for (int i = 0; i < n && i <= last - first; ++i)
            insert ? ScrollRectDown() : ScrollRectUp();
        Screen.top = saved[0];
        Screen.bottom = saved[1];
        Screen.left = saved[2];
        Screen.right = saved[3];
        UpdateCursorCellPointer();
        CarriageReturn();
        return;
    }
    if (first >= last) {
        BlankLineCells(CursorLine());
        RepaintRowSpan(first, 0, Screen.lastColumn);
        CarriageReturn();
        return;
    }
    if (n > last - first + 1)
        n = last - first + 1;
    const bool shown = !Screen.multiPage || Screen.pageShown == ActivePage();
    Screen.rearranging = 1;
    for (int i = 0; i < n; ++i) {
        RotateSlots(first, last, insert);
        if (shown && n == 1) {
            const int r0 = first - Screen.firstLine, r1 = last - Screen.firstLine;
            insert ? ScrollScreenDown(r0, r1) : ScrollScreenUp(r0, r1);
        }
    }
    Screen.rearranging = 0;
    RefreshScrollThumb();
    UpdateCursorCellPointer();
    CarriageReturn();
    if (shown && n >= 2)
        RepaintScreen();
}

}  // namespace

void ClearPendingRowSpan()
{
    PendingSpan = PendingRowSpan{};
}

void FlushPendingSpan()
{
    if (!PendingSpan.pending)
        return;
    const PendingRowSpan span = PendingSpan;
    ClearPendingRowSpan();
    RepaintRowSpan(span.row, span.first, span.last);
}

// ---- line content ----

void FillLineCells(int row, int column, int n)
{
    ScreenLineRecord* line = RowLine(row);
    if (!line || column < 0 || column >= kStoreColumns)
        return;
    if (n == 0)
        n = 1;
    ScreenCell blank = BlankCell();
    blank.flags = line->cells[column].flags & kLineSizeBits;
    for (int c = column; c < column + n && c < kStoreColumns; ++c)
        line->cells[c] = blank;
}

void EraseCharacters(int column, int n)
{
    if (n == 0)
        n = 1;
    if (n < 0 || column < 0)
        return;
    int row = Screen.cursorRow;
    while (n > 0 && row < Screen.pageLength) {
        ScreenLineRecord* line = RowLine(row);
        if (!line)
            break;
        const int limit = LimitForLine(line);
        int count = limit - column + 1;
        if (count > n)
            count = n;
        if (count > 0) {
            BlankCells(line, column, column + count - 1);
            RepaintRowSpan(row, column, column + count - 1);
            n -= count;
        }
        ++row;
        column = 0;
    }
}

void ClearLines(int a, int b)
{
    if (StatusLineWriting) {
        BlankLineCells(LineAt(0));
    } else if (a >= 0 && a < Screen.pageLength && a <= b) {
        if (b > Screen.pageLength - 1)
            b = Screen.pageLength - 1;
        for (int r = a; r <= b; ++r)
            BlankLineCells(LineAt(r));
    }
    UpdateCursorCellPointer();
}

void ClearScreenIntoHistory(int n)
{
    FlushPendingSpan();
    if (n < 1)
        n = 1;
    if (!Screen.multiPage) {
        for (int i = 0; i < n; ++i)
            RotateRegionUp();
        ClearLines(0, n - 1);
    } else if (Screen.pageLength == Screen.rows) {
        ClearLines(0, Screen.pageLength - 1);
    } else {
        int step = Screen.historyCapacity - Screen.firstLine;
        if (step > n)
            step = n;
        if (step > 0)
            Screen.firstLine = static_cast<i16>(Screen.firstLine + step);
        ClearLines(Screen.firstLine, Screen.firstLine + Screen.rows - 1);
    }
    RefreshScrollThumb();
}

void LineClearDoubleWidth(ScreenLineRecord* line)
{
    if (line)
        line->cells[0].flags &= static_cast<u8>(~kLineDoubleWidth);
}

void LineClearDoubleHeight(ScreenLineRecord* line)
{
    if (line)
        line->cells[0].flags &= static_cast<u8>(~(kLineTopHalf | kLineBottomHalf));
}

void LineSetDoubleWidth(ScreenLineRecord* line)
{
    if (line)
        line->cells[0].flags |= kLineDoubleWidth;
}

void LineSetDoubleHeightTop(ScreenLineRecord* line)
{
    if (line)
        line->cells[0].flags = static_cast<u8>((line->cells[0].flags & ~kLineBottomHalf) | kLineTopHalf);
}

void LineSetDoubleHeightBottom(ScreenLineRecord* line)
{
    if (line)
        line->cells[0].flags = static_cast<u8>((line->cells[0].flags & ~kLineTopHalf) | kLineBottomHalf);
}

void RemapCellColours(u8 oldFg, u8 oldBgWritten, u8 oldBgOther, u8 newFg, u8 newBgWritten, u8 newBgOther)
{
    auto remap = [&](ScreenLineRecord* line) {
        if (!line)
            return;
        for (ScreenCell& cell : line->cells) {
            u8 fg = cell.colour & 0x0F;
            u8 bg = cell.colour >> 4;
            if (fg == (oldFg & 0x0F))
                fg = newFg & 0x0F;
            const bool written = cell.rendition & kRendWritten;
            if (written && bg == (oldBgWritten & 0x0F))
                bg = newBgWritten & 0x0F;
            else if (!written && bg == (oldBgOther & 0x0F))
                bg = newBgOther & 0x0F;
            cell.colour = static_cast<u8>((bg << 4) | fg);
        }
    };
    for (int slot = 0; slot < Screen.lineCount; ++slot)
        remap(LineAt(slot));
    remap(LineAt(kSpareLine1));
}

void ScreenDisplayOn()
{
    if (!PaintSettings.displayOff)
        return;
    PaintSettings.displayOff = 0;
    InvalidateTerminal();
    RepaintScreen();
}

void ScreenDisplayOff()
{
    if (PaintSettings.displayOff)
        return;
    PaintSettings.displayOff = 1;
    InvalidateTerminal();
    RepaintScreen();
}

// ---- status line ----

void InvalidateStatusLine()
{
    if (auto invalidate = ActiveFamily().invalidateStatusLine)
        invalidate();
}

void RefreshStatusLine()
{
    if (auto refresh = ActiveFamily().refreshStatusLine)
        refresh();
}

// ---- cursor ----

ScreenLineRecord* CursorLine()
{
    return RowLine(Screen.cursorRow);
}

int CursorColumnLimit()
{
    return LimitForLine(CursorLine());
}

void UpdateCursorCellPointer()
{
    if (ActiveFamily().movesOwnCursor)
        return;
    if (Screen.cursorRow < 0)
        Screen.cursorRow = 0;
    PendingWrap = 0;
    if (DoubleWidthCells)
        LineSetDoubleWidth(CursorLine());
    const int limit = CursorColumnLimit();
    if (Screen.cursorColumn > limit)
        Screen.cursorColumn = static_cast<i16>(limit);
    if (Screen.cursorColumn < 0)
        Screen.cursorColumn = 0;
}

void MoveCursor(int row, int column)
{
    if (StatusLineWriting) {
        Screen.cursorColumn = static_cast<i16>(Clamp(column, 0, LimitForLine(LineAt(0))));
    } else {
        if (VtMode.cursorOrigin)
            row = Clamp(row, 0, Screen.pageLength - 1);
        else
            row = Clamp(Screen.top + row, Screen.top, Screen.bottom);
        Screen.cursorRow = static_cast<i16>(row);
        const int limit = LimitForLine(LineAt(row));
        if (!VtMode.cursorOrigin && LeftRightMarginsNarrow())
            column = Clamp(Screen.left + column, Screen.left, Screen.right < limit ? Screen.right : limit);
        else
            column = Clamp(column, 0, limit);
        Screen.cursorColumn = static_cast<i16>(column);
    }
    UpdateCursorCellPointer();
    FollowCursorInView();
}

void MoveCursorAbsolute(int row, int column)
{
    const u8 origin = VtMode.cursorOrigin;
    VtMode.cursorOrigin = 1;
    MoveCursor(row, column);
    VtMode.cursorOrigin = origin;
}

void HomeCursor()
{
    if (auto home = ActiveFamily().homeCursor) {
        home();
        return;
    }
    if (VtLocalEditing() && LocalEditor.cursorHome) {
        LocalEditor.cursorHome();
        return;
    }
    MoveCursor(0, 0);
}

void CursorUp(int n)
{
    if (n == 0)
        n = 1;
    const int row = Screen.cursorRow;
    const int stop = (row >= Screen.top && row <= Screen.bottom) ? Screen.top : 0;
    Screen.cursorRow = static_cast<i16>(row - n < stop ? stop : row - n);
    UpdateCursorCellPointer();
    FollowCursorInView();
}

void CursorDown(int n)
{
    if (n == 0)
        n = 1;
    const int row = Screen.cursorRow;
    int stop;
    if (row >= Screen.top && row <= Screen.bottom)
        stop = Screen.bottom;
    else if (row > Screen.bottom)
        stop = (Screen.multiPage ? Screen.pageLength : Screen.rows) - 1;
    else
        stop = Screen.bottom;  // above the region: it stops where the region ends
    Screen.cursorRow = static_cast<i16>(row + n > stop ? stop : row + n);
    UpdateCursorCellPointer();
    FollowCursorInView();
}

int CursorForward(int n)
{
    if (n == 0)
        n = 1;
    const int lineLimit = CursorColumnLimit();
    int limit = Screen.cursorColumn <= Screen.right ? Screen.right : lineLimit;
    if (limit > lineLimit)
        limit = lineLimit;
    int stopped = 0;
    if (Screen.cursorColumn + n > limit) {
        if (Screen.cursorColumn < limit)
            Screen.cursorColumn = static_cast<i16>(limit);
        stopped = 1;
    } else {
        Screen.cursorColumn = static_cast<i16>(Screen.cursorColumn + n);
    }
    UpdateCursorCellPointer();
    FollowCursorInView();
    return stopped;
}

int CursorBackward(int n)
{
    if (n == 0)
        n = 1;
    const int limit = Screen.cursorColumn >= Screen.left ? Screen.left : 0;
    int stopped = 0;
    if (Screen.cursorColumn - n < limit) {
        if (Screen.cursorColumn > limit)
            Screen.cursorColumn = static_cast<i16>(limit);
        stopped = 1;
    } else {
        Screen.cursorColumn = static_cast<i16>(Screen.cursorColumn - n);
    }
    UpdateCursorCellPointer();
    FollowCursorInView();
    return stopped;
}

int CursorRightOne()
{
    return VtMode.rightToLeft ? CursorBackward(1) : CursorForward(1);
}

void FollowCursorInView()
{
    if (StatusLineWriting)
        return;
    // Every column shown, and one page or the cursor's row in view of the page shown:
    // there is nothing to follow (the common case, asked after every character written).
    if (Screen.lastColumn < Screen.windowColumns &&
        (!Screen.multiPage || (Screen.pageShown == ActivePage() &&
                               (!Screen.verticalCoupling || ClassifyRowVisibility(Screen.cursorRow) == 0))))
        return;
    const i16 history0 = Screen.historyCount, first0 = Screen.firstLine;
    const i32 horizontal0 = Screen.horizontalOffset;
    bool pageChanged = false;
    if (Screen.multiPage && Screen.pageShown != ActivePage()) {
        if (!Screen.pageCoupling)
            return;
        Screen.pageShown = ActivePage();
        pageChanged = true;
    }
    if (Screen.horizontalCoupling)
        for (int guard = 0; guard < kStoreColumns; ++guard) {
            const int side = ClassifyColumnVisibility(Screen.cursorRow, Screen.cursorColumn);
            if (side == 0)
                break;
            Screen.horizontalOffset += side;
        }
    if (Screen.multiPage && Screen.verticalCoupling)
        for (int guard = 0; guard < kMaxPageLength; ++guard) {
            const int side = ClassifyRowVisibility(Screen.cursorRow);
            if (side != -1 && side != 1)
                break;
            Screen.firstLine = static_cast<i16>(Screen.firstLine + side);
        }
    const int dx = Screen.horizontalOffset - horizontal0;
    const int dy = Screen.firstLine - first0;
    if (pageChanged || dx > 2 || dx < -2 || dy > 2 || dy < -2) {
        InvalidateStatusLine();
        RepaintScreen();
    } else {
        const int lastShown = Screen.windowColumns - 1;
        for (int i = 0; i < (dx < 0 ? -dx : dx); ++i)
            dx > 0 ? ScrollScreenRect(0, 0, lastShown, 0) : ScrollScreenRect(lastShown, 0, 0, 0);
        for (int i = 0; i < (dy < 0 ? -dy : dy); ++i)
            dy > 0 ? ScrollScreenUp(0, Screen.rows - 1) : ScrollScreenDown(0, Screen.rows - 1);
    }
    if (Screen.historyCount != history0 || Screen.firstLine != first0)
        RefreshScrollThumb();
}

// ---- margins ----

void SetMarginLinePointers(int top, int bottom)
{
    if (StatusLineWriting)
        return;
    Screen.top = static_cast<i16>(top);
    Screen.bottom = static_cast<i16>(bottom);
}

void SetTopBottomMargins(int top, int bottom)
{
    if (StatusLineWriting)
        return;
    if (top == 0)
        top = 1;
    if (bottom == 0)
        bottom = Screen.pageLength;
    if (top < 1 || bottom > Screen.pageLength || top >= bottom)
        return;
    SetMarginLinePointers(top - 1, bottom - 1);
    MoveCursor(0, 0);
}

void SetLeftRightMargins(int left, int right)
{
    const int width = Screen.lastColumn + 1;
    if (left == 0)
        left = 1;
    if (right == 0)
        right = width;
    if (left < 1 || left > width || right > width || left >= right)
        return;
    Screen.left = static_cast<i16>(left - 1);
    Screen.right = static_cast<i16>(right - 1);
    MoveCursor(0, 0);
}

void SetLeftRightMarginMode(int off)
{
    off = off ? 1 : 0;
    if (VtMode.lrMarginModeOff == off)
        return;
    VtMode.lrMarginModeOff = static_cast<u8>(off);
    if (!off) {
        // Margins and double-size lines do not mix: the lines lose their size.
        for (int slot = 0; slot < Screen.lineCount; ++slot) {
            ScreenLineRecord* line = LineAt(slot);
            if (line && (line->cells[0].flags & kLineSizeBits)) {
                line->cells[0].flags &= static_cast<u8>(~kLineSizeBits);
                if (slot < Screen.pageLength)
                    RepaintRowSpan(slot, 0, Screen.lastColumn);
            }
        }
    } else {
        Screen.left = 0;
        Screen.right = Screen.lastColumn;
    }
}

bool LeftRightMarginsNarrow()
{
    return VtMode.lrMarginModeOff == 0 && (Screen.left > 0 || Screen.right < Screen.lastColumn);
}

// ---- insert and delete ----

void InsertCharacters(int n)
{
    if (VtLocalEditing() && LocalEditor.insertChars)
        return LocalEditor.insertChars(n);
    ShiftCharacters(n, true);
}

void DeleteCharacters(int n)
{
    if (VtLocalEditing() && LocalEditor.deleteChars)
        return LocalEditor.deleteChars(n);
    ShiftCharacters(n, false);
}

void InsertColumns(int n)
{
    ShiftColumns(n, true);
}

void DeleteColumns(int n)
{
    ShiftColumns(n, false);
}

void InsertLines(int n)
{
    ShiftLines(n, true);
}

void DeleteLines(int n)
{
    ShiftLines(n, false);
}

// ---- repaint ----

void RepaintScreen()
{
    RepaintScreenRegion(0, 0, kMaxVtRows, kStoreColumns - 1);
}

void RepaintCursorRow()
{
    RepaintRowSpan(Screen.cursorRow, 0, Screen.lastColumn);
}

void RepaintCursorRowSpan(int a, int b)
{
    if (PaintSettings.displayOff)
        return;
    RepaintRowSpan(Screen.cursorRow, a, b);
}

void RepaintRowSpan(int row, int a, int b)
{
    if (StatusLineWriting) {
        if (row == 0)
            if (ScreenLineRecord* line = LineAt(0))
                PaintRowSegment(line->cells, Screen.rows, a, b, line->cells[0].flags & kLineAttrBits);
        return;
    }
    if (ClassifyRowVisibility(row) != 0)
        return;
    ScreenLineRecord* line = LineAt(row);
    if (!line || a > b)
        return;
    int offset = 0;
    int lastShown = kStoreColumns - 1;
    if (Screen.lastColumn >= Screen.windowColumns) {
        const bool doubleWidth = line->cells[0].flags & kLineDoubleWidth;
        offset = doubleWidth ? Screen.horizontalOffset / 2 : Screen.horizontalOffset;
        lastShown = offset + (doubleWidth ? Screen.windowColumns / 2 : Screen.windowColumns) - 1;
    }
    if (a < offset)
        a = offset;
    if (b > lastShown)
        b = lastShown;
    if (a > b)
        return;
    PaintRowSegment(line->cells + offset, row - Screen.firstLine, a - offset, b - offset,
                    line->cells[0].flags & kLineAttrBits);
}

int ClassifyRowVisibility(int row)
{
    if (Screen.multiPage && Screen.pageShown != ActivePage())
        return 2;
    if (row < Screen.firstLine)
        return -1;
    if (row >= Screen.firstLine + Screen.rows)
        return 1;
    return 0;
}

int ClassifyColumnVisibility(int row, int column)
{
    if (Screen.lastColumn < Screen.windowColumns)
        return 0;
    const ScreenLineRecord* line = RowLine(row);
    const bool doubleWidth = line && (line->cells[0].flags & kLineDoubleWidth);
    const int offset = doubleWidth ? Screen.horizontalOffset / 2 : Screen.horizontalOffset;
    const int shown = doubleWidth ? Screen.windowColumns / 2 : Screen.windowColumns;
    if (column < offset)
        return -1;
    if (column > offset + shown - 1)
        return 1;
    return 0;
}
