// Writing one character at a page's write position.
#include "terminal/core/host/hostread.h"
#include "terminal/emulations/ibm3151/charsets.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"

namespace {

bool NumericKey(u8 byte)
{
    return (byte >= '0' && byte <= '9') || byte == '.' || byte == '+' || byte == '-';
}

// Moves forward past attribute cells, at most once round the page.
void SkipAttributeCells(I3151PageRecord* page)
{
    const int cells = (page->lastRowIndex + 1) * (I3151.lastColumn + 1);
    for (int i = 0; i < cells; ++i) {
        const ScreenCell* cell = I3151Cell(page, I3151WriteRow(page), I3151WriteColumn(page));
        if (!cell || !I3151IsAttributeCell(*cell))
            return;
        I3151CursorRight(page);
    }
}

}  // namespace

void I3151AdvanceAfterWrite(I3151PageRecord* page)
{
    const int row = I3151WriteRow(page), column = I3151WriteColumn(page);
    if (column < I3151.lastColumn) {
        I3151SetWritePosition(page, row, column + 1);
        return;
    }
    I3151FlushPage(page);
    if (I3151MayWrap(page)) {
        I3151SetWritePosition(page, row, 0);
        I3151LineFeed(page);
    }
}

void I3151WriteChar(I3151PageRecord* page, u8 byte)
{
    const int row = I3151WriteRow(page), column = I3151WriteColumn(page);
    I3151Row* line = I3151PageRow(page, row);
    if (!line || column < 0 || column > I3151.lastColumn)
        return;
    ScreenCell& cell = line->cells[column];
    const bool attribute = I3151IsAttributeCell(cell);
    const bool typed = CameFromKeyboard.load(std::memory_order_relaxed) != 0;
    const bool formatted = I3151IsPageFormatted(page);
    if (I3151.protectEnforce && (attribute || I3151InProtectedField(page, row, column)))
        return;
    if (typed && formatted) {
        const ScreenCell* field = attribute ? nullptr : I3151FieldAttributeAt(page, row, column);
        if (attribute || (field->rendition & kI51Protected) ||
            ((field->flags & kI51Numeric) && !NumericKey(byte))) {
            I3151SignalWrongPlace();
            return;
        }
    }
    const I3151Glyph glyph = I3151TranslateByte(page, byte);
    cell = ScreenCell{glyph.code, page->current.colour, page->current.rendition, glyph.glyphSet};
    if (cell.rendition & kI51Blink)
        line->blinks = 1;
    if (attribute) {
        if (line->attributeCount)
            --line->attributeCount;
        // The field that ended here now runs on: its look reaches to the next one.
        I3151RepaintPageRows(page, row, page->lastRowIndex);
    }
    I3151MarkChanged(page, row, column, column);
    if (typed)
        I3151FlushPage(page);
    I3151AdvanceAfterWrite(page);
    if (I3151.protectEnforce || (typed && formatted))
        SkipAttributeCells(page);
    // The field the character went into is modified (not the one the position reached:
    // a character that fills its field moves on into the next).
    if (typed && formatted)
        I3151SetFieldMdt(page, row, column);
}
