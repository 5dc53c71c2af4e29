// Cursor movement on a page: the moves wrap round the page, a line feed past the last
// row scrolls only an unformatted page with scrolling on, and tabs go by stops or, on a
// formatted page with field tabs, by fields.
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"

namespace {

int Row(const I3151PageRecord* page)
{
    return I3151WriteRow(page);
}

int Column(const I3151PageRecord* page)
{
    return I3151WriteColumn(page);
}

// The row that leaves is blanked and comes in at the other end.
void ScrollPage(I3151PageRecord* page, bool up)
{
    const int last = page->lastRowIndex;
    if (last < 1) {
        I3151BlankRow(page->rows[0], I3151BlankColour());
        I3151RepaintPageRows(page, 0, 0);
        return;
    }
    I3151ScrollPicture(page, 0, last, up);
    if (up) {
        I3151Row* leaving = page->rows[0];
        for (int r = 0; r < last; ++r)
            page->rows[r] = page->rows[r + 1];
        page->rows[last] = leaving;
    } else {
        I3151Row* leaving = page->rows[last];
        for (int r = last; r > 0; --r)
            page->rows[r] = page->rows[r - 1];
        page->rows[0] = leaving;
    }
    I3151BlankRow(up ? page->rows[last] : page->rows[0], I3151BlankColour());
    // Separator lines are drawn along page rows: a moved picture would move them too.
    if (I3151.pageSeparators && I3151.pageCount > 1)
        I3151RepaintPage(page);
}

bool FieldTabs(const I3151PageRecord* page)
{
    return I3151IsPageFormatted(page) && !(I3151.setup[4] & 0x02);
}

bool AnyTabStop(const I3151PageRecord* page)
{
    for (int c = 0; c <= I3151.lastColumn; ++c)
        if (page->tabs[c])
            return true;
    return false;
}

// The start of the previous unprotected field before the write position.
void PreviousFieldStart(I3151PageRecord* page)
{
    const int rows = page->lastRowIndex + 1, columns = I3151.lastColumn + 1;
    int r = Row(page), c = Column(page);
    auto back = [&] {
        if (--c < 0) {
            c = columns - 1;
            if (--r < 0)
                r = rows - 1;
        }
    };
    int steps = rows * columns;
    // Out of the field the position is in: back to its attribute, then past it.
    back();
    while (steps-- > 0) {
        const ScreenCell* cell = I3151Cell(page, r, c);
        if (cell && I3151IsAttributeCell(*cell) && !(cell->rendition & kI51Protected))
            break;
        back();
    }
    if (steps <= 0)
        return;
    if (++c >= columns) {
        c = 0;
        if (++r >= rows)
            r = 0;
    }
    I3151SetWritePosition(page, r, c);
}

}  // namespace

bool I3151MayWrap(const I3151PageRecord* page)
{
    return I3151IsPageFormatted(page) || I3151IsBlockMode() || (I3151.setup[3] & 0x04);
}

bool I3151MayWrapForInsert(const I3151PageRecord* page)
{
    if (I3151.setup[3] & 0x04)
        return true;
    if (I3151.setup[2] & 0x10)  // forcing insert character
        return false;
    return I3151IsPageFormatted(page) || I3151IsBlockMode();
}

bool I3151MayScroll(const I3151PageRecord* page)
{
    return !I3151IsPageFormatted(page) && (I3151.setup[3] & 0x18) && (I3151.setup[4] & 0x18);
}

void I3151CursorUp(I3151PageRecord* page)
{
    const int r = Row(page);
    I3151SetWritePosition(page, r == 0 ? page->lastRowIndex : r - 1, Column(page));
}

void I3151CursorDown(I3151PageRecord* page)
{
    const int r = Row(page);
    I3151SetWritePosition(page, r >= page->lastRowIndex ? 0 : r + 1, Column(page));
}

void I3151CursorLeft(I3151PageRecord* page)
{
    const int r = Row(page), c = Column(page);
    if (c > 0)
        I3151SetWritePosition(page, r, c - 1);
    else
        I3151SetWritePosition(page, r == 0 ? page->lastRowIndex : r - 1, I3151.lastColumn);
}

void I3151CursorRight(I3151PageRecord* page)
{
    const int r = Row(page), c = Column(page);
    if (c < I3151.lastColumn)
        I3151SetWritePosition(page, r, c + 1);
    else
        I3151SetWritePosition(page, r >= page->lastRowIndex ? 0 : r + 1, 0);
}

void I3151LineFeed(I3151PageRecord* page)
{
    const int r = Row(page), c = Column(page);
    if (r < page->lastRowIndex) {
        I3151SetWritePosition(page, r + 1, c);
    } else if (I3151MayScroll(page)) {
        ScrollPage(page, true);
    } else {
        I3151SetWritePosition(page, 0, c);
    }
}

void I3151ReverseLineFeed(I3151PageRecord* page)
{
    const int r = Row(page), c = Column(page);
    if (r > 0) {
        I3151SetWritePosition(page, r - 1, c);
    } else if (I3151MayScroll(page)) {
        ScrollPage(page, false);
    } else {
        I3151SetWritePosition(page, page->lastRowIndex, c);
    }
}

void I3151CarriageReturn(I3151PageRecord* page)
{
    I3151SetWritePosition(page, Row(page), 0);
}

void I3151Home(I3151PageRecord* page)
{
    I3151HomeToField(page);
}

void I3151NewLine(I3151PageRecord* page)
{
    if (!I3151IsPageFormatted(page)) {
        I3151CarriageReturn(page);
        I3151LineFeed(page);
        return;
    }
    const int r = Row(page) >= page->lastRowIndex ? 0 : Row(page) + 1;
    I3151SetWritePosition(page, r, 0);
    const ScreenCell* cell = I3151Cell(page, r, 0);
    if (cell && (I3151IsAttributeCell(*cell) || I3151InProtectedField(page, r, 0)))
        I3151NextUnprotectedField(page);
}

void I3151Tab(I3151PageRecord* page)
{
    if (FieldTabs(page)) {
        I3151NextUnprotectedField(page);
        return;
    }
    const int last = I3151.lastColumn;
    if (!AnyTabStop(page)) {
        if (I3151MayWrap(page))
            I3151SetWritePosition(page, 0, 0);
        else
            I3151SetWritePosition(page, Row(page), Column(page) == last ? 0 : last);
        return;
    }
    // The rows searched are at most the page's: a line feed that scrolls brings a row
    // without new stops.
    for (int pass = 0; pass <= page->lastRowIndex + 1; ++pass) {
        for (int c = Column(page) + 1; c < last; ++c)
            if (page->tabs[c]) {
                I3151SetWritePosition(page, Row(page), c);
                return;
            }
        if (!I3151MayWrap(page))
            break;
        I3151CarriageReturn(page);
        I3151LineFeed(page);
    }
    if (!I3151MayWrap(page))
        I3151SetWritePosition(page, Row(page), Column(page) == last ? 0 : last);
}

void I3151BackTab(I3151PageRecord* page)
{
    if (FieldTabs(page)) {
        PreviousFieldStart(page);
        return;
    }
    const int last = I3151.lastColumn;
    if (!AnyTabStop(page)) {
        if (I3151MayWrap(page))
            I3151SetWritePosition(page, 0, 0);
        else
            I3151SetWritePosition(page, Row(page), Column(page) == 0 ? last : 0);
        return;
    }
    for (int pass = 0; pass <= page->lastRowIndex + 1; ++pass) {
        for (int c = Column(page) - 1; c >= 0; --c)
            if (page->tabs[c]) {
                I3151SetWritePosition(page, Row(page), c);
                return;
            }
        if (!I3151MayWrap(page))
            break;
        I3151ReverseLineFeed(page);
        I3151SetWritePosition(page, Row(page), last);
    }
    if (!I3151MayWrap(page))
        I3151SetWritePosition(page, Row(page), Column(page) == 0 ? last : 0);
}
