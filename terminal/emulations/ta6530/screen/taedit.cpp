#include "terminal/emulations/ta6530/screen/taedit.h"

#include <algorithm>
#include <vector>

#include "terminal/core/paint/damage.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/ta6530/screen/tacursor.h"
#include "terminal/emulations/ta6530/screen/tafields.h"
#include "terminal/emulations/ta6530/screen/tapages.h"

namespace {

TaPage& Page()
{
    return TaCurrentPage();
}

void Blank(ScreenCell& cell)
{
    cell = ScreenCell{' ', 0, 0, static_cast<u8>(cell.flags & kCellSelected)};
}

// Blanks cells from (line, c0) to (line, c1); in protected block mode only typable
// positions, tagging their fields modified when the keyboard erased them.
void EraseCells(const TaPage& page, int line, int c0, int c1)
{
    TaLine& l = TaLineAt(line);
    const bool guard = Ta.mode == kTaProtected;
    for (int c = c0; c <= c1 && c < kTaColumns; ++c) {
        ScreenCell& cell = l.cells[c];
        if (guard) {
            if (cell.rendition & kTaAttributeCell)
                continue;
            const TaFieldInfo f = TaFieldAttributeAt(page, line, c);
            if (f.data & kTaProtectedField)
                continue;
            if (Ta.fromKeyboard && f.startLine >= 0)
                TaLineAt(f.startLine).cells[f.startColumn].flags |= kTaModified;
        }
        Blank(cell);
    }
    TaMarkLineDirty(line, c0, c1);
}

// Erases from one position of the page to another, then lets the attributes in force
// reach the blanks.
void ErasePositions(const TaPage& page, int line0, int column0, int line1, int column1)
{
    for (int line = line0; line <= line1; ++line)
        EraseCells(page, line, line == line0 ? column0 : 0, line == line1 ? column1 : kTaColumns - 1);
    TaRespreadFrom(page, line0, column0 > 0 ? column0 - 1 : 0);
    if (column0 == 0 && line0 == page.first) {
        // The page's first cell has nothing before it: it takes the base attribute.
        ScreenCell& c = TaLineAt(line0).cells[0];
        if (!(c.rendition & kTaAttributeCell))
            c.rendition = static_cast<u8>((c.rendition & ~kTaVideoBits) | (page.baseVideo & kTaVideoBits));
        TaRespreadFrom(page, line0, 0);
    }
}

// The positions from the current address to the end of its line (block) or of its
// field (protected), in order.
std::vector<ScreenCell*> ShiftSpan()
{
    std::vector<ScreenCell*> cells;
    const TaPage& page = Page();
    const TaAddress a = TaCurrentAddress();
    if (Ta.mode == kTaProtected) {
        if (TaPositionProtected(page, *a.line, *a.column))
            return cells;
        int fl, fc, ll, lc;
        if (!TaFieldBounds(page, *a.line, *a.column, &fl, &fc, &ll, &lc))
            return cells;
        for (int line = *a.line; line <= ll; ++line)
            for (int c = line == *a.line ? *a.column : 0; c <= (line == ll ? lc : Ta.lastColumn); ++c)
                cells.push_back(&TaLineAt(line).cells[c]);
        return cells;
    }
    for (int c = *a.column; c <= Ta.lastColumn; ++c)
        cells.push_back(&TaLineAt(*a.line).cells[c]);
    return cells;
}

void Repaint(const TaPage& page, int line0, int line1)
{
    for (int line = line0; line <= line1 && line <= page.last; ++line)
        TaMarkLineDirty(line, 0, kTaColumns - 1);
}

// Rotates the lines line0..line1 of the line table one up (the first becomes the last)
// or down.
void RotateLines(int line0, int line1, bool up)
{
    if (line0 >= line1)
        return;
    TaLine** begin = Ta.lines + line0;
    TaLine** end = Ta.lines + line1 + 1;
    if (up)
        std::rotate(begin, begin + 1, end);
    else
        std::rotate(begin, end - 1, end);
}

bool Shown(const TaPage& page)
{
    return TaPageShown() && &page == &TaDisplayPage();
}

}  // namespace

bool TaEraseRange(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    const TaPage& page = Page();
    if (firstRow < 0 || lastRow >= kTaRows || firstColumn < 0 || lastColumn > Ta.lastColumn || lastColumn < 0 ||
        firstColumn > Ta.lastColumn || firstRow > lastRow || (firstRow == lastRow && firstColumn > lastColumn))
        return false;
    const int line0 = page.first + firstRow, line1 = page.first + lastRow;
    if (line1 > page.last)
        return false;
    ErasePositions(page, line0, firstColumn, line1, lastColumn);
    TaLeaveProtected();
    return true;
}

void TaClearPage(TaPage& page)
{
    for (int line = page.first; line <= page.last; ++line)
        TaClearLineAt(line);
    page.cursorLine = page.bufferLine = page.top = page.first;
    page.cursorColumn = page.bufferColumn = 0;
    TaShowPage();
}

void TaEraseToEndOfPage()
{
    TaPage& page = Page();
    if (Ta.mode == kTaAnsi) {
        for (int line = page.first; line <= page.last; ++line)
            EraseCells(page, line, 0, kTaColumns - 1);
        return;
    }
    const TaAddress a = TaCurrentAddress();
    ErasePositions(page, *a.line, *a.column, page.last, kTaColumns - 1);
}

void TaEraseToEndOfLine()
{
    TaPage& page = Page();
    const TaAddress a = TaCurrentAddress();
    if (Ta.mode == kTaProtected) {
        int fl, fc, ll, lc;
        if (TaPositionProtected(page, *a.line, *a.column) ||
            !TaFieldBounds(page, *a.line, *a.column, &fl, &fc, &ll, &lc))
            return;
        ErasePositions(page, *a.line, *a.column, ll, lc);
        return;
    }
    ErasePositions(page, *a.line, *a.column, *a.line, kTaColumns - 1);
}

void TaInsertLine()
{
    TaPage& page = Page();
    const int line = *TaCurrentAddress().line;
    const int bottom = Ta.mode == kTaConversational ? page.bottom : page.last;
    if (line > bottom)
        return;
    RotateLines(line, bottom, false);
    TaClearLine(TaLineAt(line));
    if (Shown(page))
        TaShowPage();
    Repaint(page, line, bottom);
    TaRespreadFrom(page, line, 0);
}

void TaDeleteLine()
{
    TaPage& page = Page();
    const int line = *TaCurrentAddress().line;
    const int bottom = Ta.mode == kTaConversational ? page.bottom : page.last;
    if (line > bottom)
        return;
    RotateLines(line, bottom, true);
    TaClearLine(TaLineAt(bottom));
    if (Shown(page))
        TaShowPage();
    Repaint(page, line, bottom);
    TaRespreadFrom(page, line > page.first ? line - 1 : line, 0);
}

void TaInsertChar()
{
    std::vector<ScreenCell*> span = ShiftSpan();
    if (span.empty())
        return;
    const u8 mark0 = span.front()->flags & kCellSelected;
    for (std::size_t i = span.size() - 1; i > 0; --i)
        *span[i] = *span[i - 1];
    *span.front() = ScreenCell{' ', span.front()->colour, span.front()->rendition, mark0};
    const TaAddress a = TaCurrentAddress();
    Repaint(Page(), *a.line, *a.line + (Ta.mode == kTaProtected ? kTaRows : 0));
}

void TaDeleteChar()
{
    std::vector<ScreenCell*> span = ShiftSpan();
    if (span.empty())
        return;
    for (std::size_t i = 0; i + 1 < span.size(); ++i)
        *span[i] = *span[i + 1];
    ScreenCell& last = *span.back();
    last = ScreenCell{' ', last.colour, last.rendition, static_cast<u8>(last.flags & kCellSelected)};
    if (last.rendition & kTaAttributeCell)
        last.rendition &= static_cast<u8>(~(kTaAttributeCell | kTaFieldStart));
    const TaAddress a = TaCurrentAddress();
    Repaint(Page(), *a.line, *a.line + (Ta.mode == kTaProtected ? kTaRows : 0));
    TaRespreadFrom(Page(), *a.line, *a.column);
}

void TaResetModifiedTags()
{
    const TaPage& page = Page();
    for (int line = page.first; line <= page.last; ++line)
        for (ScreenCell& c : TaLineAt(line).cells)
            if ((c.rendition & kTaFieldStart) && !(c.flags & kTaProtectedField))
                c.flags &= static_cast<u8>(~kTaModified);
}

void TaScrollUp()
{
    TaPage& page = Page();
    const bool shown = Shown(page);
    if (page.bottom >= page.last) {
        RotateLines(page.first, page.last, true);
        TaClearLine(TaLineAt(page.last));
    } else {
        ++page.top;
        page.bottom = page.top + kTaRows - 1;
    }
    if (!shown)
        return;
    for (int r = 0; r < kTaRows; ++r)
        Ta.screen[r] = &TaLineAt(page.top + r);
    TaRepaintDirtyRows();
    DamageScroll(0, kTaRows - 1, true);
    TaMarkDirtySpan(kTaRows - 1, 0, kTaColumns - 1);
    RefreshScrollThumb();
}

void TaScrollDown()
{
    TaPage& page = Page();
    const bool shown = Shown(page);
    if (page.top <= page.first) {
        RotateLines(page.first, page.last, false);
        TaClearLine(TaLineAt(page.first));
    } else {
        --page.top;
        page.bottom = page.top + kTaRows - 1;
    }
    if (!shown)
        return;
    for (int r = 0; r < kTaRows; ++r)
        Ta.screen[r] = &TaLineAt(page.top + r);
    TaRepaintDirtyRows();
    DamageScroll(0, kTaRows - 1, false);
    TaMarkDirtySpan(0, 0, kTaColumns - 1);
    RefreshScrollThumb();
}

void TaSetScrollPosition(int line)
{
    TaPage& page = Page();
    const int limit = std::max(page.first, page.last - (kTaRows - 1));
    page.top = std::clamp(line, page.first, limit);
    page.bottom = page.top + kTaRows - 1;
    TaShowPage();
}

void TaNextPage()
{
    TaPage& page = Page();
    const int row = page.cursorLine - page.top;
    TaSetScrollPosition(page.top + kTaRows);
    page.cursorLine = page.top + std::clamp(row, 0, kTaRows - 1);
}

void TaPreviousPage()
{
    TaPage& page = Page();
    const int row = page.cursorLine - page.top;
    TaSetScrollPosition(page.top - kTaRows);
    page.cursorLine = page.top + std::clamp(row, 0, kTaRows - 1);
}
