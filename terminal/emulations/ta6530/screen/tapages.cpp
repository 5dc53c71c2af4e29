#include "terminal/emulations/ta6530/screen/tapages.h"

#include <algorithm>

#include "terminal/core/paint/damage.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/ta6530/screen/tafields.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"

Ta6530State Ta;
Ta6530Settings TaSettings;

namespace {

TaLine g_pool[kTaLines];
// What the window shows before the first page is: blank lines.
TaLine g_blankScreen[kTaRows];

struct DirtySpan {
    i16 first = 1, last = 0;
};
DirtySpan g_dirty[kTaRows + 1];
bool g_anyDirty = false;

void BlankCell(ScreenCell& cell)
{
    cell = ScreenCell{' ', 0, 0, 0};
}

void ResetPageRecord(TaPage& page, int first, int last)
{
    page.baseVideo = 0x60;
    page.baseData = Ta.mode == kTaProtected ? kTaProtectedField : 0;
    page.first = first;
    page.last = last;
    page.top = first;
    page.bottom = first + kTaRows - 1;
    page.cursorLine = page.bufferLine = first;
    page.cursorColumn = page.bufferColumn = 0;
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

void KeepInPage(TaPage& page)
{
    page.cursorLine = Clamp(page.cursorLine, page.first, page.last);
    page.bufferLine = Clamp(page.bufferLine, page.first, page.last);
    page.cursorColumn = Clamp(page.cursorColumn, 0, Ta.lastColumn);
    page.bufferColumn = Clamp(page.bufferColumn, 0, Ta.lastColumn);
    page.top = Clamp(page.top, page.first, std::max(page.first, page.last - (kTaRows - 1)));
    page.bottom = page.top + kTaRows - 1;
}

}  // namespace

TaLine& TaLineAt(int index)
{
    return *Ta.lines[Clamp(index, 0, kTaLines - 1)];
}

TaPage& TaWritePage()
{
    return Ta.pages[Clamp(Ta.writePage, 0, kTaMaxPages)];
}

TaPage& TaDisplayPage()
{
    return Ta.pages[Clamp(Ta.displayPage, 0, kTaMaxPages)];
}

TaPage& TaCurrentPage()
{
    return Ta.fromKeyboard ? TaDisplayPage() : TaWritePage();
}

bool TaPageShown()
{
    return Ta.displayPage != 0;
}

void TaClearLine(TaLine& line)
{
    for (ScreenCell& cell : line.cells)
        BlankCell(cell);
    line.blinking = 0;
    line.doubleWidth = Ta.lastColumn < kTaColumns - 1 ? 1 : 0;
}

void TaClearLineAt(int index)
{
    TaClearLine(TaLineAt(index));
    TaMarkLineDirty(index, 0, kTaColumns - 1);
}

void TaBuildStore()
{
    for (int i = 0; i < kTaLines; ++i) {
        Ta.lines[i] = &g_pool[i];
        TaClearLine(g_pool[i]);
    }
    for (int r = 0; r < kTaRows; ++r) {
        TaClearLine(g_blankScreen[r]);
        Ta.screen[r] = &g_blankScreen[r];
    }
    for (TaPage& page : Ta.pages)
        ResetPageRecord(page, 0, kTaRows - 1);
    Ta.writePage = Ta.displayPage = 0;
    for (DirtySpan& d : g_dirty)
        d = DirtySpan{};
    g_anyDirty = false;
    Ta.entered = true;
}

int TaPageLine(const TaPage& page, int row)
{
    return (Ta.mode == kTaConversational ? page.top : page.first) + row;
}

int TaPageRow(const TaPage& page, int line)
{
    return line - (Ta.mode == kTaConversational ? page.top : page.first);
}

void TaBuildPageTable()
{
    for (DirtySpan& d : g_dirty)
        d = DirtySpan{};
    g_anyDirty = false;
    const u8 before = Ta.previousMode;
    const bool carry = Ta.entered && (before == kTaConversational || before == kTaAnsi);
    const TaPage& old = Ta.pages[1];
    const int oldTop = before == kTaConversational ? old.top : 0;
    const int oldCursorRow = Clamp(old.cursorLine - oldTop, 0, kTaRows - 1);
    const int oldCursorColumn = old.cursorColumn;

    int pages = 1, pageLength = kTaRows;
    switch (Ta.mode) {
    case kTaConversational: pageLength = kTaLines; break;
    case kTaBlock:
    case kTaProtected:
        Ta.pageCount = Clamp(Ta.pageCount, 1, kTaMaxPages);
        if (before != kTaBlock && before != kTaProtected)
            Ta.pagesInUse = Ta.pageCount;
        Ta.pagesInUse = Clamp(Ta.pagesInUse, 1, kTaMaxPages);
        pages = Ta.pagesInUse;
        break;
    default: break;
    }

    int keep = 0;
    if (carry) {
        // The text on the screen stays on the screen.
        for (int r = 0; r < kTaRows && oldTop + r < kTaLines; ++r)
            std::swap(Ta.lines[r], Ta.lines[oldTop + r]);
        keep = kTaRows;
        if (TaBlockMode())
            Ta.lastColumn = kTaColumns - 1;
    }
    for (int i = keep; i < kTaLines; ++i)
        TaClearLine(*Ta.lines[i]);

    ResetPageRecord(Ta.pages[0], 0, kTaRows - 1);
    for (int i = 1; i <= kTaMaxPages; ++i) {
        const int first = (i - 1) * kTaRows;
        if (i == 1 && Ta.mode != kTaBlock && Ta.mode != kTaProtected)
            ResetPageRecord(Ta.pages[i], 0, pageLength - 1);
        else
            ResetPageRecord(Ta.pages[i], first, i <= pages ? first + kTaRows - 1 : first + kTaRows - 1);
    }
    if (carry && !TaBlockMode()) {
        TaPage& page = Ta.pages[1];
        page.cursorLine = page.bufferLine = oldCursorRow;
        page.cursorColumn = page.bufferColumn = std::min(oldCursorColumn, Ta.lastColumn);
    }
    Ta.writePage = Ta.displayPage = 0;
    TaSelectWritePage(1);
    TaSelectDisplayPage(1);
}

void TaSelectWritePage(int n)
{
    Ta.writePage = Clamp(n, 0, kTaMaxPages);
    TaUpdateCursor();
}

void TaSelectDisplayPage(int n)
{
    Ta.displayPage = Clamp(n, 0, kTaMaxPages);
    if (Ta.mode == kTaProtected && TaPageShown()) {
        const bool was = Ta.fromKeyboard;
        Ta.fromKeyboard = true;
        TaMoveToUnprotected();
        Ta.fromKeyboard = was;
    }
    TaShowPage();
    TaShowModeField();
}

void TaUpdateCursor()
{
    for (TaPage* page : {&TaWritePage(), &TaDisplayPage()}) {
        KeepInPage(*page);
        if (!TaBlockMode()) {
            page->bufferLine = page->cursorLine;
            page->bufferColumn = page->cursorColumn;
        }
    }
}

void TaShowPage()
{
    TaUpdateCursor();
    if (TaPageShown()) {
        const TaPage& page = TaDisplayPage();
        for (int r = 0; r < kTaRows; ++r)
            Ta.screen[r] = &TaLineAt(page.top + r);
        TaSpreadFieldAttributes();
        TaRepaintRows(0, kTaRows - 1);
    }
    TaRepaintDirtyRows();
    RefreshScrollThumb();
}

int TaRowOfLine(int index)
{
    if (!TaPageShown())
        return -1;
    const int row = index - TaDisplayPage().top;
    return row >= 0 && row < kTaRows ? row : -1;
}

void TaMarkDirtySpan(int row, int c0, int c1)
{
    if (row < 0 || row > kTaStatusRow || (!TaPageShown() && row != kTaStatusRow))
        return;
    if (c0 > c1)
        std::swap(c0, c1);
    c0 = Clamp(c0, 0, kTaColumns - 1);
    c1 = Clamp(c1, 0, kTaColumns - 1);
    DirtySpan& d = g_dirty[row];
    if (d.first > d.last) {
        d.first = static_cast<i16>(c0);
        d.last = static_cast<i16>(c1);
    } else {
        d.first = static_cast<i16>(std::min<int>(d.first, c0));
        d.last = static_cast<i16>(std::max<int>(d.last, c1));
    }
    g_anyDirty = true;
}

void TaMarkDirty(int row, int column)
{
    TaMarkDirtySpan(row, column, column);
}

void TaMarkLineDirty(int index, int c0, int c1)
{
    const int row = TaRowOfLine(index);
    if (row >= 0)
        TaMarkDirtySpan(row, c0, c1);
}

void TaRepaintRows(int r0, int r1)
{
    for (int r = std::max(r0, 0); r <= r1 && r <= kTaStatusRow; ++r)
        TaMarkDirtySpan(r, 0, kTaColumns - 1);
}

bool TaAnyDirty()
{
    return g_anyDirty;
}

void TaRepaintDirtyRows()
{
    if (!g_anyDirty)
        return;
    g_anyDirty = false;
    for (int r = 0; r <= kTaStatusRow; ++r) {
        DirtySpan& d = g_dirty[r];
        if (d.first > d.last)
            continue;
        // A double-width line is painted whole: its cells are twice as wide.
        const bool wide = r < kTaRows && Ta.screen[r] && Ta.screen[r]->doubleWidth;
        DamageCells(r, wide ? 0 : d.first, wide ? kTaColumns - 1 : d.last);
        d = DirtySpan{};
    }
}
