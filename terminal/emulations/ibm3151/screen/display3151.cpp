#include "terminal/emulations/ibm3151/screen/display3151.h"

#include "terminal/core/screen/display.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/emulations/ibm3151/charsets.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/pages.h"

namespace {

void AppendUtf8(std::string& out, u16 c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character a test reads for a cell: line-drawing cells as their code's letter
// (the terminal's alternate set is told by the code), the rest as shown.
u16 DumpCharacter(const ScreenCell& cell, bool dotsForNul)
{
    if (cell.flags & kI51AttributeCell)
        return u' ';
    if (cell.ch == 0)
        return dotsForNul ? u'.' : u' ';
    const u8 glyph = cell.flags & kI51GlyphMask;
    if (glyph == kI51GlyphLines)
        return static_cast<u16>(cell.ch & 0x7F);
    if (glyph == kI51GlyphControl)
        return static_cast<u16>(0x2400 + (cell.ch & 0x1F));  // the control's picture
    const u16 u = I3151CellToUnicode(cell.rendition & ~kI51Blink, cell.ch, glyph, false);
    return u ? u : u'?';
}

}  // namespace

const I3151Row* I3151WindowRow(int row)
{
    if (!I3151PagesAllocated())
        return nullptr;
    if (row == I3151.rows)
        return I3151ShownStatusRecord();
    int page = 0, pageRow = 0;
    if (!I3151PageOfScreenRow(row, &page, &pageRow))
        return nullptr;
    return I3151PageRow(I3151GetPage(page), pageRow);
}

bool I3151TextCursor(int* row, int* column, int* style)
{
    *style = I3151.cursorType;
    if (!I3151.active || !I3151PagesAllocated())
        return false;
    if (I3151.hostStatusText || I3151.definingKey) {
        *row = I3151.rows;
        *column = I3151.statusColumn;
        return true;
    }
    const I3151PageRecord* page = I3151GetPage(I3151.displayPage);
    *row = page->firstRow + page->cursorRow;
    *column = page->cursorColumn;
    return true;
}

void I3151Dimensions(int* rows, int* pageLength, int* lineCount)
{
    if (rows)
        *rows = I3151.rows;
    if (pageLength)
        *pageLength = I3151.rows;
    if (lineCount)
        *lineCount = I3151.rows;
}

int I3151ExtraRows(int* extraPixels)
{
    if (extraPixels)
        *extraPixels = 0;
    return 1;
}

int I3151WindowColumns()
{
    return I3151.lastColumn + 1;
}

int I3151BackgroundIndex()
{
    return I3151AttributeColours.blankBackground & 0x0F;
}

bool I3151CellBlinks(u8 rendition, u8 code)
{
    if (!(rendition & kI51Blink) || code == 0 || code == ' ' || (rendition & kI51Invisible))
        return false;
    return (I3151AttributeColours.comboForeground[rendition & 0x0F] & 0x10) != 0;
}

void I3151RedrawBlinking()
{
    if (!I3151.active || !I3151PagesAllocated())
        return;
    for (int row = 0; row <= I3151.rows; ++row) {
        I3151Row* line = const_cast<I3151Row*>(I3151WindowRow(row));
        if (!line || !line->blinks)
            continue;
        int first = -1, last = -1;
        for (int c = 0; c <= I3151.lastColumn; ++c)
            if (I3151CellBlinks(line->cells[c].rendition, line->cells[c].ch)) {
                if (first < 0)
                    first = c;
                last = c;
            }
        if (first < 0)
            line->blinks = 0;
        else
            RepaintScreenRegion(row, first, row, last);
    }
}

void I3151IdleWork()
{
    if (!I3151.active || !I3151PagesAllocated())
        return;
    I3151FlushAllPages();
    I3151UpdateCursorStatus();
}

void I3151ScreenText(std::string& out)
{
    if (!I3151PagesAllocated())
        return;
    int row = 0, column = 0, style = 0;
    I3151TextCursor(&row, &column, &style);
    out += "cursor " + std::to_string(row) + " " + std::to_string(column) + " emulation 16\n";
    for (int r = 0; r < I3151.rows; ++r) {
        const I3151Row* line = I3151WindowRow(r);
        int page = 0, pageRow = 0;
        const bool transparent = I3151PageOfScreenRow(r, &page, &pageRow) && I3151GetPage(page)->transparent;
        std::string text;
        std::size_t kept = 0;
        for (int c = 0; line && c <= I3151.lastColumn; ++c) {
            const u16 ch = DumpCharacter(line->cells[c], transparent);
            AppendUtf8(text, ch);
            if (ch != u' ')
                kept = text.size();
        }
        text.resize(kept);
        out += text + "\n";
    }
}

int I3151StatusLineText(wchar16* buffer, int capacity)
{
    const I3151Row* line = I3151PagesAllocated() ? I3151ShownStatusRecord() : nullptr;
    if (!line || capacity < 1)
        return 0;
    int n = 0, kept = 0;
    for (int c = 0; c <= I3151.lastColumn && n < capacity - 1; ++c) {
        const u16 ch = DumpCharacter(line->cells[c], I3151.statusRowMode == 3);
        buffer[n++] = ch;
        if (ch != u' ')
            kept = n;
    }
    buffer[kept] = 0;
    return kept;
}

bool I3151SelectionArea(SelectionArea* area)
{
    if (!I3151.active || !I3151PagesAllocated())
        return false;
    *area = SelectionArea{};
    area->available = true;
    area->lowestRow = 0;
    area->highestRow = I3151.rows - 1;
    area->leftColumn = 0;
    area->rightColumn = I3151.lastColumn;
    area->visibleRows = I3151.rows;
    return true;
}

ScreenCell* I3151SelectionRow(int row, int* columns, int* cellWidth)
{
    if (!I3151.active || row < 0 || row >= I3151.rows)
        return nullptr;
    I3151Row* line = const_cast<I3151Row*>(I3151WindowRow(row));
    if (!line)
        return nullptr;
    *columns = I3151.lastColumn + 1;
    *cellWidth = 0;
    return line->cells;
}

u16 I3151CellChar(const ScreenCell& cell)
{
    // Copied text takes the box pieces as their characters.
    if ((cell.flags & kI51GlyphMask) == kI51GlyphLines && !(cell.flags & kI51AttributeCell)) {
        static constexpr char kLetters[] = "jklmnqtuvwx";
        static constexpr u16 kBoxes[] = {0x2518, 0x2510, 0x250C, 0x2514, 0x253C, 0x2500,
                                         0x251C, 0x2524, 0x2534, 0x252C, 0x2502};
        for (int i = 0; kLetters[i]; ++i)
            if ((cell.ch & 0x7F) == kLetters[i])
                return kBoxes[i];
    }
    return DumpCharacter(cell, false);
}
