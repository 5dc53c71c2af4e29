// Erasing, inserting and deleting on a page. A formatted page keeps its attribute
// cells and protected fields: erasing blanks only unprotected text, and a row that
// holds attribute cells refuses line insert and delete.
#include "terminal/core/host/hostread.h"
#include "terminal/emulations/ibm3151/charsets.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"

namespace {

int Columns()
{
    return I3151.lastColumn + 1;
}

// Cells of a page counted row by row: index = row x columns + column.
ScreenCell* CellAt(I3151PageRecord* page, int index)
{
    return I3151Cell(page, index / Columns(), index % Columns());
}

int PageCells(const I3151PageRecord* page)
{
    return (page->lastRowIndex + 1) * Columns();
}

int WriteIndex(const I3151PageRecord* page)
{
    return I3151WriteRow(page) * Columns() + I3151WriteColumn(page);
}

// Blanking keeps a cell's rendition (a field's text keeps its look); erasing clears it.
void BlankCell(ScreenCell& cell)
{
    cell = ScreenCell{0, I3151BlankColour(), cell.rendition, 0};
}

void EraseCell(ScreenCell& cell)
{
    cell = I3151BlankCell();
}

// Erases the cells from..to of a page, fixing the rows' attribute counts.
void EraseRange(I3151PageRecord* page, int from, int to)
{
    for (int i = from; i <= to; ++i) {
        ScreenCell* cell = CellAt(page, i);
        if (!cell)
            continue;
        if (I3151IsAttributeCell(*cell)) {
            I3151Row* row = I3151PageRow(page, i / Columns());
            if (row->attributeCount)
                --row->attributeCount;
        }
        EraseCell(*cell);
    }
    I3151RepaintPageRows(page, from / Columns(), to / Columns());
}

// Blanks the unprotected text cells of from..to of a formatted page.
void BlankUnprotected(I3151PageRecord* page, int from, int to)
{
    bool protectedField = I3151InProtectedField(page, from / Columns(), from % Columns());
    for (int i = from; i <= to; ++i) {
        ScreenCell* cell = CellAt(page, i);
        if (!cell)
            continue;
        if (I3151IsAttributeCell(*cell)) {
            protectedField = (cell->rendition & kI51Protected) != 0;
            continue;
        }
        if (!protectedField)
            BlankCell(*cell);
    }
    I3151RepaintPageRows(page, from / Columns(), to / Columns());
}

// The index of the next attribute cell after `index` on the page, -1 when none.
int NextAttributeIndex(I3151PageRecord* page, int index)
{
    for (int i = index + 1; i < PageCells(page); ++i) {
        const ScreenCell* cell = CellAt(page, i);
        if (cell && I3151IsAttributeCell(*cell))
            return i;
    }
    return -1;
}

// A shift across rows may carry attribute cells from one row to the next.
void RecountAttributes(I3151PageRecord* page, int r0, int r1)
{
    for (int r = r0; r <= r1; ++r) {
        I3151Row* line = I3151PageRow(page, r);
        if (!line)
            continue;
        u8 count = 0;
        for (int c = 0; c <= I3151.lastColumn; ++c)
            count = static_cast<u8>(count + (I3151IsAttributeCell(line->cells[c]) ? 1 : 0));
        line->attributeCount = static_cast<u8>(count);
    }
}

bool RowEmpty(I3151PageRecord* page, int row)
{
    const I3151Row* line = I3151PageRow(page, row);
    for (int c = 0; line && c <= I3151.lastColumn; ++c)
        if (line->cells[c].ch != 0)
            return false;
    return true;
}

// A row with attribute cells refuses line insert and delete; with no-field-wrap on, row
// 0 counts as holding the default field's.
bool RowHoldsAttributes(I3151PageRecord* page, int row)
{
    const I3151Row* line = I3151PageRow(page, row);
    return (line && line->attributeCount > 0) || (row == 0 && I3151IsAttributeCell(page->defaultCell));
}

bool ProtectedPosition(I3151PageRecord* page)
{
    const int r = I3151WriteRow(page), c = I3151WriteColumn(page);
    const ScreenCell* cell = I3151Cell(page, r, c);
    return !cell || I3151IsAttributeCell(*cell) || I3151InProtectedField(page, r, c);
}

// The rows from `from` to `to` (counted forward round the page) move one row on: the
// record of `to`, blanked, comes in at `from`.
void RotateRowsDown(I3151PageRecord* page, int from, int to)
{
    const int rows = page->lastRowIndex + 1;
    I3151Row* entering = page->rows[to];
    for (int r = to; r != from; r = (r + rows - 1) % rows)
        page->rows[r] = page->rows[(r + rows - 1) % rows];
    page->rows[from] = entering;
    I3151BlankRow(entering, I3151BlankColour());
}

// The rows from `from` to `to` move one row back: the record of `from`, blanked, comes
// in at `to`.
void RotateRowsUp(I3151PageRecord* page, int from, int to)
{
    const int rows = page->lastRowIndex + 1;
    I3151Row* entering = page->rows[from];
    for (int r = from; r != to; r = (r + 1) % rows)
        page->rows[r] = page->rows[(r + 1) % rows];
    page->rows[to] = entering;
    I3151BlankRow(entering, I3151BlankColour());
}

}  // namespace

void I3151EraseToEndOfField(I3151PageRecord* page)
{
    const int row = I3151WriteRow(page), column = I3151WriteColumn(page);
    if (!I3151IsPageFormatted(page)) {
        EraseRange(page, row * Columns() + column, row * Columns() + I3151.lastColumn);
        return;
    }
    if (ProtectedPosition(page))
        return;
    I3151Row* line = I3151PageRow(page, row);
    for (int c = column; c <= I3151.lastColumn && !I3151IsAttributeCell(line->cells[c]); ++c)
        BlankCell(line->cells[c]);
    I3151SetFieldMdt(page, row, column);
    I3151RepaintPageRows(page, row, row);
}

void I3151EraseToEndOfPage(I3151PageRecord* page)
{
    const int from = WriteIndex(page);
    if (I3151IsPageFormatted(page))
        BlankUnprotected(page, from, PageCells(page) - 1);
    else
        EraseRange(page, from, PageCells(page) - 1);
}

void I3151EraseUnprotected(I3151PageRecord* page)
{
    I3151.writePosition = false;
    I3151SetCursor(page, 0, 0);
    if (!I3151IsPageFormatted(page)) {
        EraseRange(page, 0, PageCells(page) - 1);
        return;
    }
    BlankUnprotected(page, 0, PageCells(page) - 1);
    I3151ClearAllMdt(page);
    I3151HomeToField(page);
}

void I3151ClearTabStops(I3151PageRecord* page)
{
    for (u8& stop : page->tabs)
        stop = 0;
}

void I3151ResetPageAttributes(I3151PageRecord* page)
{
    page->current = ScreenCell{0, I3151WrittenColour(), 0, 0};
    page->fieldRendition = I3151.fieldAttributesShown ? 0 : kI51NotShown;
    page->fieldFlags = 0;
    page->defaultCell = I3151BlankCell();
}

void I3151ClearPage(I3151PageRecord* page)
{
    I3151FlushPage(page);
    for (int r = 0; r <= page->lastRowIndex; ++r)
        I3151BlankRow(I3151PageRow(page, r), I3151BlankColour());
    I3151.writePosition = false;
    I3151SetCursor(page, 0, 0);
    page->bufferRow = page->bufferColumn = 0;
    I3151ClearTabStops(page);
    I3151ResetPageAttributes(page);
    I3151RepaintPage(page);
}

void I3151ClearScreen()
{
    if (!I3151PagesAllocated())
        return;
    I3151ClearPage(I3151GetCurrentPage());
}

void I3151ClearAllPages()
{
    for (int p = 0; p < kI3151Pages; ++p) {
        I3151PageRecord* page = I3151GetPage(p);
        for (int r = 0; r <= page->lastRowIndex; ++r)
            I3151BlankRow(I3151PageRow(page, r), I3151BlankColour());
        I3151SetCursor(page, 0, 0);
        page->bufferRow = page->bufferColumn = 0;
        I3151ResetPageAttributes(page);
    }
    I3151.writePosition = false;
    I3151ClearTabStops(I3151GetCurrentPage());
    I3151RepaintAll();
}

void I3151InsertLine(I3151PageRecord* page)
{
    const int row = I3151WriteRow(page), last = page->lastRowIndex;
    const bool forcing = (I3151.setup[1] & 0x10) != 0;
    if (RowHoldsAttributes(page, row))
        return;
    if (!I3151IsPageFormatted(page)) {
        int target = -1;
        if (forcing) {
            target = last;
        } else {
            for (int r = last; r >= 0 && target < 0; --r)
                if (RowEmpty(page, r))
                    target = r;
        }
        if (target < row)
            return;
        RotateRowsDown(page, row, target);
        I3151RepaintPageRows(page, row, target);
    } else {
        if (ProtectedPosition(page))
            return;
        const int next = NextAttributeIndex(page, WriteIndex(page));
        const int rows = last + 1;
        const int attributeRow = next < 0 ? last : next / Columns();
        int target = -1;
        if (forcing) {
            target = (attributeRow + rows - 1) % rows;
        } else {
            // Upwards from the attribute's row, round the page once.
            for (int i = 0, r = attributeRow; i < rows && target < 0; ++i, r = (r + rows - 1) % rows)
                if (RowEmpty(page, r) && !RowHoldsAttributes(page, r))
                    target = r;
        }
        if (target < 0)
            return;
        if (target == row)
            I3151BlankRow(I3151PageRow(page, row), I3151BlankColour());
        else
            RotateRowsDown(page, row, target);
        I3151SetFieldMdt(page, row, 0);
        I3151RepaintPage(page);
    }
    I3151SetWritePosition(page, row, 0);
}

void I3151DeleteLine(I3151PageRecord* page)
{
    const int row = I3151WriteRow(page), last = page->lastRowIndex;
    if (RowHoldsAttributes(page, row))
        return;
    if (!I3151IsPageFormatted(page)) {
        RotateRowsUp(page, row, last);
        I3151RepaintPageRows(page, row, last);
    } else {
        if (ProtectedPosition(page))
            return;
        const int next = NextAttributeIndex(page, WriteIndex(page));
        int end = next < 0 ? last : next / Columns() - 1;
        if (end < row)
            end = row;
        RotateRowsUp(page, row, end);
        I3151SetFieldMdt(page, row, 0);
        I3151RepaintPageRows(page, row, end);
    }
    I3151SetWritePosition(page, row, 0);
}

void I3151DeleteCharacter(I3151PageRecord* page)
{
    if (ProtectedPosition(page))
        return;
    const int row = I3151WriteRow(page), column = I3151WriteColumn(page);
    I3151Row* line = I3151PageRow(page, row);
    int end = I3151.lastColumn;
    const bool formatted = I3151IsPageFormatted(page);
    if (formatted)
        for (int c = column + 1; c <= I3151.lastColumn; ++c)
            if (I3151IsAttributeCell(line->cells[c])) {
                end = c - 1;
                break;
            }
    for (int c = column; c < end; ++c)
        line->cells[c] = line->cells[c + 1];
    EraseCell(line->cells[end]);
    if (formatted)
        I3151SetFieldMdt(page, row, column);
    I3151MarkChanged(page, row, column, end);
    I3151FlushPage(page);
}

void I3151InsertCharacter(I3151PageRecord* page, u8 byte)
{
    if (ProtectedPosition(page))
        return;
    const int start = WriteIndex(page);
    const int row = start / Columns();
    const int rowEnd = row * Columns() + I3151.lastColumn;
    const int pageEnd = PageCells(page) - 1;
    const bool wrap = I3151MayWrapForInsert(page);
    const bool formatted = I3151IsPageFormatted(page);
    int end = -1;
    if (I3151.setup[2] & 0x10) {  // forcing insert character
        if (!formatted) {
            end = wrap ? pageEnd : rowEnd;
        } else {
            const int next = NextAttributeIndex(page, start);
            end = next < 0 ? pageEnd : next - 1;
            if (!wrap && !(next >= 0 && next <= rowEnd))
                end = rowEnd;
        }
    } else {
        const int limit = wrap ? pageEnd : rowEnd;
        for (int i = start; i <= limit && end < 0; ++i) {
            const ScreenCell* cell = CellAt(page, i);
            if (cell && cell->ch == 0 && !I3151IsAttributeCell(*cell))
                end = i;
        }
        if (end < 0)
            return;
    }
    for (int i = end; i > start; --i)
        *CellAt(page, i) = *CellAt(page, i - 1);
    EraseCell(*CellAt(page, start));
    RecountAttributes(page, row, end / Columns());
    const bool spaceInsert = (I3151.setup[4] & 0x04) != 0;
    if (spaceInsert) {
        I3151WriteChar(page, ' ');
    } else {
        const I3151Glyph glyph = I3151TranslateByte(page, byte);
        *CellAt(page, start) = ScreenCell{glyph.code, page->current.colour, page->current.rendition,
                                          glyph.glyphSet};
        // The host's ESC P leaves the cursor; a character typed in insert mode moves on,
        // or a word typed would come out backwards.
        if (CameFromKeyboard.load(std::memory_order_relaxed))
            I3151AdvanceAfterWrite(page);
    }
    if (formatted)
        I3151SetFieldMdt(page, row, start % Columns());
    I3151RepaintPageRows(page, row, end / Columns());
}

void I3151RecolourCells(u8 oldForeground, u8 oldWrittenBackground, u8 oldBlankBackground, u8 newForeground,
                        u8 newWrittenBackground, u8 newBlankBackground)
{
    auto recolourAs = [&](ScreenCell& cell, bool written) {
        u8 fg = cell.colour & 0x0F, bg = cell.colour >> 4;
        if (fg == oldForeground)
            fg = newForeground;
        if (written && bg == oldWrittenBackground)
            bg = newWrittenBackground;
        else if (!written && bg == oldBlankBackground)
            bg = newBlankBackground;
        cell.colour = static_cast<u8>((bg << 4) | fg);
    };
    auto recolour = [&](ScreenCell& cell) { recolourAs(cell, cell.ch != 0); };
    for (int p = 0; p < kI3151Pages; ++p) {
        I3151PageRecord* page = I3151GetPage(p);
        for (int r = 0; r < 25; ++r)
            if (I3151Row* line = I3151PageRow(page, r))
                for (ScreenCell& cell : line->cells)
                    recolour(cell);
        recolourAs(page->current, true);
        recolourAs(page->defaultCell, false);
    }
    for (int r = kI3151HostStatusRow; r <= kI3151PromptRow; ++r)
        if (I3151Row* line = I3151StatusRecord(r))
            for (ScreenCell& cell : line->cells)
                recolour(cell);
    I3151RepaintAll();
    I3151UpdateIndicators(true);
}
