// Painting the IBM 3151's pages and status row into the frame's picture. A field
// attribute lends its rendition to the text of its field; cells are drawn in runs that
// look alike, in the colours the attribute colour table gives their rendition.
#include <utility>

#include "terminal/core/base/ticks.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/window/idle.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/glyphpaint.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/emulations/ibm3151/charsets.h"
#include "terminal/emulations/ibm3151/screen/display3151.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/window/run3151.h"

namespace {

constexpr int kErrorGlyph = 116;  // the substitute's box of the line-drawing glyphs

struct Colours {
    int foreground, background;
};

// The colours of a rendition: a combination's own pair when its background entry says
// so, its bright bit, and reverse where the table lets it apply; a selected cell shows
// the other way round.
Colours MapAttributeColour(u8 rendition, u8 colour, bool selected)
{
    const I3151AttributeColourSet& table = I3151AttributeColours;
    Colours c{colour & 0x0F, colour >> 4};
    const int combination = rendition & 0x0F;
    bool reverse = (rendition & kI51Reverse) != 0;
    if (combination) {
        const u8 fg = table.comboForeground[combination], bg = table.comboBackground[combination];
        if (bg & 0x80) {
            c.foreground = fg & 0x0F;
            c.background = bg & 0x0F;
        }
        if ((combination & kI51Bold) && (fg & 0x80))
            c.foreground ^= 8;
        if (reverse && !(fg & 0x20))
            reverse = false;
    }
    if (reverse)
        std::swap(c.foreground, c.background);
    if (selected)
        std::swap(c.foreground, c.background);
    return {c.foreground & 0x0F, c.background & 0x0F};
}

struct Run {
    int column = 0, count = 0;
    u8 colour = 0, glyph = 0, rendition = 0, selected = 0;
    bool Same(const Run& o) const
    {
        return colour == o.colour && glyph == o.glyph && rendition == o.rendition && selected == o.selected;
    }
};

void DrawRun(int row, const Run& run, const ScreenCell* cells, bool dots)
{
    if (PaintSettings.displayOff || run.count < 1)
        return;
    const Colours c = MapAttributeColour(run.rendition, run.colour, run.selected != 0);
    SetCellForeground(c.foreground);
    SetCellBackground(c.background);
    SelectLineFont(0, 0);
    RECT rect{static_cast<LONG>(run.column * CellWidth), static_cast<LONG>(row * LineHeight),
              static_cast<LONG>((run.column + run.count) * CellWidth), static_cast<LONG>((row + 1) * LineHeight)};
    HBRUSH brush = CreateSolidBrush(GetBkColor(ScreenDC));
    if (brush) {
        FillRect(ScreenDC, &rect, brush);
        DeleteObject(brush);
    }
    const bool blinkOff = !BlinkPhaseOn && (run.rendition & kI51Blink) &&
                          (I3151AttributeColours.comboForeground[run.rendition & 0x0F] & 0x10);
    wchar_t text[kI3151MaxColumns];
    if (run.glyph == kI51GlyphLines || run.glyph == kI51GlyphControl) {
        for (int i = 0; i < run.count; ++i) {
            const ScreenCell& cell = cells[run.column + i];
            const bool hidden = blinkOff || (run.rendition & kI51Invisible) || cell.ch == 0;
            if (run.glyph == kI51GlyphLines) {
                const int index = hidden ? -1 : I3151LineGlyphIndex(cell.ch);
                text[i] = static_cast<wchar_t>(index < 0 ? 0xFFFF : index);
            } else {
                text[i] = static_cast<wchar_t>(hidden ? 0xFFFF : cell.ch);
            }
        }
        if (run.glyph == kI51GlyphLines)
            DrawLineDrawingIndexes(rect, text, run.count);
        else
            DrawResourceFontGlyphs(rect, text, run.count);
    } else {
        // Text, with the substitutes the terminal shows as its error box drawn apart.
        // A bold combination whose background entry asks for the bold font is drawn
        // twice, one pixel apart: the terminal font has no bold face of its own here.
        const bool bold = (run.rendition & kI51Bold) &&
                          (I3151AttributeColours.comboBackground[run.rendition & 0x0F] & 0x40);
        int x = rect.left, pending = 0, pendingX = rect.left;
        auto flush = [&] {
            if (pending) {
                ExtTextOutW(ScreenDC, pendingX, rect.top, 0, nullptr, text, pending, AdvanceArray());
                if (bold) {
                    const int mode = SetBkMode(ScreenDC, TRANSPARENT);
                    ExtTextOutW(ScreenDC, pendingX + 1, rect.top, 0, nullptr, text, pending, AdvanceArray());
                    SetBkMode(ScreenDC, mode);
                }
            }
            pending = 0;
        };
        for (int i = 0; i < run.count; ++i, x += CellWidth) {
            const ScreenCell& cell = cells[run.column + i];
            u16 u = I3151CellToUnicode(run.rendition, cell.ch, run.glyph, blinkOff);
            if (u == 0 && dots)
                u = u'.';
            if (u == 0) {
                flush();
                const wchar_t index = kErrorGlyph;
                DrawLineDrawingIndexes(RECT{x, rect.top, x + CellWidth, rect.bottom}, &index, 1);
                continue;
            }
            if (!pending)
                pendingX = x;
            text[pending++] = static_cast<wchar_t>(u);
        }
        flush();
    }
    const int combination = run.rendition & 0x0F;
    if ((run.rendition & kI51Underline) && (I3151AttributeColours.comboForeground[combination] & 0x40) &&
        !blinkOff)
        DrawHorizontalRule(rect.left, rect.right, rect.bottom - 1);
}

// The field rendition in force before column `first` of a page row.
u8 FieldRenditionBefore(I3151PageRecord* page, int row, int first)
{
    if (!I3151IsPageFormatted(page))
        return 0;
    const ScreenCell* attribute;
    if (first > 0)
        attribute = I3151FieldAttributeAt(page, row, first - 1);
    else if (row > 0)
        attribute = I3151FieldAttributeAt(page, row - 1, I3151.lastColumn);
    else if (I3151.noFieldWrap)
        attribute = &page->defaultCell;
    else
        attribute = I3151FieldAttributeAt(page, page->lastRowIndex, I3151.lastColumn);
    if (!attribute || !I3151IsAttributeCell(*attribute) || (attribute->rendition & kI51NotShown))
        return 0;
    return attribute->rendition & kI51ShownBits;
}

void PaintRow(int row, int first, int last)
{
    const I3151Row* line = I3151WindowRow(row);
    const bool status = row == I3151.rows;
    RECT whole{static_cast<LONG>(first * CellWidth), static_cast<LONG>(row * LineHeight),
               static_cast<LONG>((last + 1) * CellWidth), static_cast<LONG>((row + 1) * LineHeight)};
    if (!line) {
        FillRectBackground(ScreenDC, &whole);
        return;
    }
    int pageIndex = -1, pageRow = 0;
    I3151PageRecord* page = nullptr;
    if (!status && I3151PageOfScreenRow(row, &pageIndex, &pageRow))
        page = I3151GetPage(pageIndex);
    const bool dots = (status && I3151.statusRowMode == 3) || (page && page->transparent);
    u8 field = page ? FieldRenditionBefore(page, pageRow, first) : 0;
    Run run;
    bool open = false;
    for (int column = first; column <= last; ++column) {
        const ScreenCell& cell = line->cells[column];
        Run next;
        next.column = column;
        next.colour = cell.colour;
        next.selected = cell.flags & 0x80;
        if (cell.flags & kI51AttributeCell) {
            // An attribute shows as a blank without rendition and starts its field's.
            field = (cell.rendition & kI51NotShown) ? 0 : (cell.rendition & kI51ShownBits);
            next.glyph = kI51GlyphPlain;
            next.rendition = 0;
        } else {
            next.glyph = cell.flags & kI51GlyphMask;
            next.rendition = static_cast<u8>((cell.rendition & kI51ShownBits) | field);
        }
        if (open && !run.Same(next)) {
            DrawRun(row, run, line->cells, dots);
            open = false;
        }
        if (!open) {
            run = next;
            run.count = 0;
            open = true;
        }
        ++run.count;
    }
    if (open)
        DrawRun(row, run, line->cells, dots);
    if (status && I3151.statusSeparator && I3151.statusRowMode != 0) {
        SetCellForeground(I3151AttributeColours.foreground);
        DrawHorizontalRule(whole.left, whole.right, whole.top);
    }
    if (page && pageIndex > 0 && pageRow == 0 && I3151.pageSeparators && I3151.pageCount > 1) {
        SetCellForeground(I3151AttributeColours.foreground ^ 8);
        DrawHorizontalRule(whole.left, whole.right, whole.top);
    }
}

}  // namespace

void I3151RepaintRegion(int r0, int c0, int r1, int c1)
{
    if (!I3151.active || !I3151PagesAllocated() || !ScreenDC)
        return;
    ScreenPaintGuard guard;
    if (c0 > c1)
        std::swap(c0, c1);
    if (c0 < 0)
        c0 = 0;
    if (c1 > I3151.lastColumn)
        c1 = I3151.lastColumn;
    for (int row = r0 < 0 ? 0 : r0; row <= r1 && row <= I3151.rows; ++row)
        PaintRow(row, c0, c1);
}
