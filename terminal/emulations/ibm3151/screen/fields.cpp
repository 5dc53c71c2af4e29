// Fields: a field attribute cell starts a field that runs to the next one, across rows
// and, unless no-field-wrap is on, from the page's end round to its start. Before the
// first attribute cell of a page with no-field-wrap on, the page's default cell stands
// for the field's attribute.
#include "terminal/core/host/hostread.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/host/setcontrol.h"

namespace {

int Columns()
{
    return I3151.lastColumn + 1;
}

}  // namespace

ScreenCell* I3151Cell(I3151PageRecord* page, int row, int column)
{
    I3151Row* r = I3151PageRow(page, row);
    if (!r || column < 0 || column >= kI3151MaxColumns)
        return nullptr;
    return &r->cells[column];
}

bool I3151IsAttributeCell(const ScreenCell& cell)
{
    return (cell.flags & kI51AttributeCell) != 0;
}

ScreenCell* I3151FieldAttributeAt(I3151PageRecord* page, int row, int column)
{
    if (!I3151IsPageFormatted(page))
        return &page->defaultCell;
    const int rows = page->lastRowIndex + 1;
    int r = row, c = column;
    for (int pass = 0; pass <= rows; ++pass) {
        I3151Row* line = I3151PageRow(page, r);
        if (line && line->attributeCount)
            for (; c >= 0; --c)
                if (I3151IsAttributeCell(line->cells[c]))
                    return &line->cells[c];
        if (--r < 0) {
            if (I3151.noFieldWrap)
                return &page->defaultCell;
            r = rows - 1;
        }
        c = I3151.lastColumn;
    }
    return &page->defaultCell;
}

bool I3151InProtectedField(I3151PageRecord* page, int row, int column)
{
    const ScreenCell* attribute = I3151FieldAttributeAt(page, row, column);
    return attribute && (attribute->rendition & kI51Protected);
}

void I3151SetFieldMdt(I3151PageRecord* page, int row, int column)
{
    ScreenCell* attribute = I3151FieldAttributeAt(page, row, column);
    if (!attribute || !I3151IsPageFormatted(page))
        return;
    attribute->rendition |= kI51Mdt;
}

void I3151ClearAllMdt(I3151PageRecord* page)
{
    for (int r = 0; r <= page->lastRowIndex; ++r) {
        I3151Row* line = I3151PageRow(page, r);
        for (int c = 0; line && c <= I3151.lastColumn; ++c)
            line->cells[c].rendition &= static_cast<u8>(~kI51Mdt);
    }
    page->defaultCell.rendition &= static_cast<u8>(~kI51Mdt);
}

bool I3151NextUnprotectedField(I3151PageRecord* page)
{
    const int rows = page->lastRowIndex + 1, columns = Columns();
    int r = I3151WriteRow(page), c = I3151WriteColumn(page);
    for (int step = 0; step < rows * columns; ++step) {
        if (++c >= columns) {
            c = 0;
            if (++r >= rows) {
                if (I3151.noFieldWrap)
                    return false;
                r = 0;
            }
        }
        const ScreenCell* cell = I3151Cell(page, r, c);
        if (!cell || !I3151IsAttributeCell(*cell) || (cell->rendition & kI51Protected))
            continue;
        // The field's first position: the cell after its attribute.
        if (++c >= columns) {
            c = 0;
            if (++r >= rows)
                r = 0;
        }
        I3151SetWritePosition(page, r, c);
        return true;
    }
    return false;
}

void I3151HomeToField(I3151PageRecord* page)
{
    I3151.writePosition = false;
    I3151SetCursor(page, 0, 0);
    const ScreenCell* cell = I3151Cell(page, 0, 0);
    if (cell && (I3151IsAttributeCell(*cell) || I3151InProtectedField(page, 0, 0)))
        I3151NextUnprotectedField(page);
}

void I3151SetFieldAttribute(I3151PageRecord* page, const u8* v, int n)
{
    // a: 0x20 + reverse 1, underline 2, blink 4, bold 8, invisible 16; b: 0x40 + MDT 1,
    // protected 2, numeric 8. The state keeps them as a cell's rendition and flags.
    u8 a = static_cast<u8>(page->fieldRendition & kI51ShownBits);
    u8 b = static_cast<u8>(((page->fieldRendition & kI51Mdt) ? 1 : 0) |
                           ((page->fieldRendition & kI51Protected) ? 2 : 0) |
                           ((page->fieldFlags & kI51NextNumeric) ? 8 : 0));
    // The renditions are kept in the cell's order: reverse 2, underline 4, blink 1.
    auto toCellA = [](u8 p) {
        return static_cast<u8>(((p & 1) ? kI51Reverse : 0) | ((p & 2) ? kI51Underline : 0) |
                               ((p & 4) ? kI51Blink : 0) | ((p & 8) ? kI51Bold : 0) |
                               ((p & 16) ? kI51Invisible : 0));
    };
    auto fromCellA = [](u8 cell) {
        return static_cast<u8>(((cell & kI51Reverse) ? 1 : 0) | ((cell & kI51Underline) ? 2 : 0) |
                               ((cell & kI51Blink) ? 4 : 0) | ((cell & kI51Bold) ? 8 : 0) |
                               ((cell & kI51Invisible) ? 16 : 0));
    };
    a = fromCellA(a);
    if (n == 1) {
        a = v[0];
    } else if (n == 2) {
        if (I3151IsOperator(v[1]))
            a = I3151ApplyOperator(v[1], a, v[0]);
        else
            a = v[0], b = v[1];
    } else if (n >= 3) {
        if (n == 3 && I3151IsOperator(v[2])) {
            a = I3151ApplyOperator(v[2], a, v[0]);
            b = I3151ApplyOperator(v[2], b, v[1]);
        } else {
            a = v[0], b = v[1];
        }
    }
    u8 rendition = toCellA(a);
    if (b & 1)
        rendition |= kI51Mdt;
    if (b & 2)
        rendition |= kI51Protected;
    if (!I3151.fieldAttributesShown)
        rendition |= kI51NotShown;
    page->fieldRendition = rendition;
    page->fieldFlags = static_cast<u8>((page->fieldFlags & ~kI51NextNumeric) | ((b & 8) ? kI51NextNumeric : 0));

    // The attribute cell at the write position, which advances past it.
    const int row = I3151WriteRow(page), column = I3151WriteColumn(page);
    ScreenCell* cell = I3151Cell(page, row, column);
    I3151Row* line = I3151PageRow(page, row);
    if (!cell || !line)
        return;
    if (!I3151IsAttributeCell(*cell))
        ++line->attributeCount;
    const bool wasFormatted = I3151IsPageFormatted(page);
    page->fieldFlags |= kI51Formatted;
    *cell = ScreenCell{0, page->current.colour, rendition,
                       static_cast<u8>(kI51AttributeCell | ((b & 8) ? kI51Numeric : 0))};
    // The field's look changes everything up to the next attribute.
    I3151RepaintPageRows(page, wasFormatted ? row : 0, page->lastRowIndex);
    I3151AdvanceAfterWrite(page);
}

void I3151SetCharacterAttribute(I3151PageRecord* page, const u8* v, int n)
{
    const u8 r = page->current.rendition;
    u8 value = static_cast<u8>(0x40 | ((r & kI51Reverse) ? 1 : 0) | ((r & kI51Underline) ? 2 : 0) |
                               ((r & kI51Blink) ? 4 : 0) | ((r & kI51Bold) ? 8 : 0) |
                               ((r & kI51Invisible) ? 16 : 0));
    if (n == 1)
        value = v[0];
    else if (n == 2 && I3151IsOperator(v[1]))
        value = I3151ApplyOperator(v[1], value, static_cast<u8>(v[0] | 0x40));
    else if (n >= 2)
        value = v[0];
    page->current.rendition = static_cast<u8>(((value & 1) ? kI51Reverse : 0) | ((value & 2) ? kI51Underline : 0) |
                                              ((value & 4) ? kI51Blink : 0) | ((value & 8) ? kI51Bold : 0) |
                                              ((value & 16) ? kI51Invisible : 0));
}

void I3151SetDefaultField(I3151PageRecord* page, bool on)
{
    page->defaultCell = I3151BlankCell();
    if (on) {
        page->defaultCell.rendition = kI51Mdt;
        page->defaultCell.flags = static_cast<u8>(kI51AttributeCell | kI51RowStartField);
    }
    I3151RepaintPage(page);
}

void I3151ShowFieldAttributes()
{
    for (int p = 0; p < I3151.pageCount; ++p) {
        I3151PageRecord* page = I3151GetPage(p);
        page->fieldRendition &= static_cast<u8>(~kI51NotShown);
        if (!I3151IsPageFormatted(page))
            continue;
        for (int r = 0; r <= page->lastRowIndex; ++r) {
            I3151Row* line = I3151PageRow(page, r);
            for (int c = 0; line && line->attributeCount && c <= I3151.lastColumn; ++c)
                if (I3151IsAttributeCell(line->cells[c]))
                    line->cells[c].rendition &= static_cast<u8>(~kI51NotShown);
        }
        I3151RepaintPage(page);
    }
}

bool I3151FindStartOfMessage(I3151PageRecord* page, int* row, int* column)
{
    for (int r = 0; r <= page->lastRowIndex; ++r) {
        const I3151Row* line = I3151PageRow(page, r);
        for (int c = 0; line && c <= I3151.lastColumn; ++c)
            if (line->cells[c].ch == 1 && !I3151IsAttributeCell(line->cells[c])) {
                *row = r;
                *column = c;
                return true;
            }
    }
    return false;
}

void I3151SetStartOfMessage(I3151PageRecord* page, int row, int column)
{
    int r, c;
    if (I3151FindStartOfMessage(page, &r, &c)) {
        I3151Cell(page, r, c)->ch = 0;
        I3151MarkChanged(page, r, c, c);
        I3151FlushPage(page);
    }
    I3151SetWritePosition(page, row, column);
    I3151WriteChar(page, 1);
}
