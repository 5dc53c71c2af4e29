// Painting the TVI window rows into the frame's picture: cells in runs that look alike,
// in the colours their attribute combination gives, with the line glyphs from the
// program's line-drawing set and the block graphics as filled quarters and halves.
#include <utility>

#include "terminal/core/base/ticks.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/glyphpaint.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/emulations/tvi/screen/display.h"
#include "terminal/emulations/tvi/store/lines.h"
#include "terminal/emulations/tvi/window/runtvi.h"

namespace {

struct Colours {
    int foreground, background;
};

// The colours of a run: the combination's own pair when its background byte says so,
// its bright half, reverse where the foreground byte lets it apply, and blinking pairs
// swapped in the blink's on phase; a selected run shows the other way round.
Colours RunColours(u8 colour, u8 rendition, bool selected)
{
    Colours c{colour & 0x0F, colour >> 4};
    const int combination = TviCombination(rendition);
    const u8 fg = Tvi.colours.foreground[combination], bg = Tvi.colours.background[combination];
    const bool own = (bg & 0x80) != 0;
    if (own) {
        c.foreground = fg & 0x0F;
        c.background = bg & 0x0F;
    }
    if (fg & 0x80)
        c.foreground ^= 8;
    bool reverse = (rendition & kTviReverse) && (fg & 0x20);
    if ((fg & 0x10) && own && !Tvi.set.stopFlash && BlinkPhaseOn)
        std::swap(c.foreground, c.background);
    if (reverse)
        std::swap(c.foreground, c.background);
    if (selected)
        std::swap(c.foreground, c.background);
    return {c.foreground & 0x0F, c.background & 0x0F};
}

// The line glyphs 129-146 as places in the program's line-drawing set.
int LineGlyphIndex(u8 ch)
{
    static constexpr u8 kIndex[18] = {119, 118, 120, 121, 14, 13, 12, 11, 15, 25, 18, 22, 21, 24, 23, 17, 19, 1};
    return ch >= 129 && ch <= 146 ? kIndex[ch - 129] : -1;
}

// Characters 147-159 fill parts of their cell: bits 1 top-left, 2 top-right,
// 4 bottom-left, 8 bottom-right.
int BlockQuarters(u8 ch)
{
    static constexpr u8 kQuarters[13] = {1, 8, 4, 2, 5, 12, 10, 3, 13, 7, 11, 14, 15};
    return ch >= 147 && ch <= 159 ? kQuarters[ch - 147] : 0;
}

void FillWith(const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush) {
        FillRect(ScreenDC, &rect, brush);
        DeleteObject(brush);
    }
}

struct Run {
    int column = 0, count = 0;
    u8 colour = 0, glyph = 0, rendition = 0, selected = 0;
    bool Same(const Run& o) const
    {
        return colour == o.colour && glyph == o.glyph && rendition == o.rendition && selected == o.selected;
    }
};

void DrawRun(int row, const Run& run, const ScreenCell* cells)
{
    if (PaintSettings.displayOff || run.count < 1)
        return;
    const Colours c = RunColours(run.colour, run.rendition, run.selected != 0);
    SetCellForeground(c.foreground);
    SetCellBackground(c.background);
    SelectLineFont(0, 0);
    const RECT rect{static_cast<LONG>(run.column * CellWidth), static_cast<LONG>(row * LineHeight),
                    static_cast<LONG>((run.column + run.count) * CellWidth),
                    static_cast<LONG>((row + 1) * LineHeight)};
    FillWith(rect, GetBkColor(ScreenDC));
    const bool blinkOff = !BlinkPhaseOn && !Tvi.set.stopFlash && (run.rendition & kTviBlink) &&
                          (Tvi.colours.foreground[TviCombination(run.rendition)] & 0x10);
    wchar_t text[kTviCells];
    if (run.glyph == kTviGlyphBlocks) {
        const COLORREF fg = GetTextColor(ScreenDC);
        for (int i = 0; i < run.count; ++i) {
            const ScreenCell& cell = cells[run.column + i];
            if (blinkOff || TviShownChar(cell) == u' ')
                continue;
            const int quarters = BlockQuarters(cell.ch);
            const LONG x = rect.left + i * CellWidth, midX = x + CellWidth / 2, midY = rect.top + LineHeight / 2;
            if (quarters & 1)
                FillWith(RECT{x, rect.top, midX, midY}, fg);
            if (quarters & 2)
                FillWith(RECT{midX, rect.top, x + CellWidth, midY}, fg);
            if (quarters & 4)
                FillWith(RECT{x, midY, midX, rect.bottom}, fg);
            if (quarters & 8)
                FillWith(RECT{midX, midY, x + CellWidth, rect.bottom}, fg);
        }
    } else if (run.glyph == kTviGlyphLines) {
        for (int i = 0; i < run.count; ++i) {
            const ScreenCell& cell = cells[run.column + i];
            const bool hidden = blinkOff || TviShownChar(cell) == u' ';
            const int index = hidden ? -1 : LineGlyphIndex(cell.ch);
            text[i] = static_cast<wchar_t>(index < 0 ? 0xFFFF : index);
        }
        DrawLineDrawingIndexes(rect, text, run.count);
    } else if (run.glyph == kTviGlyphControl) {
        for (int i = 0; i < run.count; ++i)
            text[i] = static_cast<wchar_t>(blinkOff ? 0xFFFF : cells[run.column + i].ch);
        DrawResourceFontGlyphs(rect, text, run.count);
    } else {
        for (int i = 0; i < run.count; ++i) {
            u16 u = blinkOff ? u' ' : TviShownChar(cells[run.column + i]);
            text[i] = static_cast<wchar_t>(u ? u : u' ');
        }
        ExtTextOutW(ScreenDC, rect.left, rect.top, 0, nullptr, text, run.count, AdvanceArray());
    }
    if ((run.rendition & kTviUnderline) && (Tvi.colours.foreground[TviCombination(run.rendition)] & 0x40))
        DrawHorizontalRule(rect.left, rect.right, rect.bottom - 1);
}

void PaintRow(int row, int first, int last)
{
    const TviLine* line = TviLineAt(TviWindowLine(row));
    if (!line) {
        const RECT whole{static_cast<LONG>(first * CellWidth), static_cast<LONG>(row * LineHeight),
                         static_cast<LONG>((last + 1) * CellWidth), static_cast<LONG>((row + 1) * LineHeight)};
        FillRectBackground(ScreenDC, &whole);
        return;
    }
    Run run;
    bool open = false;
    for (int column = first; column <= last; ++column) {
        const ScreenCell& cell = line->cells[column];
        Run next;
        next.column = column;
        next.colour = cell.colour;
        next.selected = cell.flags & kCellSelected;
        if (!Tvi.screenOn) {
            next.glyph = kTviGlyphPlain;
            next.rendition = 0;
        } else {
            next.glyph = cell.flags & kTviGlyphMask;
            next.rendition = cell.rendition &
                             (kTviBlink | kTviReverse | kTviUnderline | kTviIntensity | kTviInvisible);
        }
        if (open && !run.Same(next)) {
            DrawRun(row, run, line->cells);
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
        DrawRun(row, run, line->cells);
}

}  // namespace

void TviRepaintRegion(int r0, int c0, int r1, int c1)
{
    if (!Tvi.active || !TviLinesAllocated() || !ScreenDC || Tvi.holdPainting)
        return;
    ScreenPaintGuard guard;
    if (c0 > c1)
        std::swap(c0, c1);
    if (c0 < 0)
        c0 = 0;
    if (c1 > Tvi.set.lastColumn)
        c1 = Tvi.set.lastColumn;
    for (int row = r0 < 0 ? 0 : r0; row <= r1 && row < TviWindowRows(); ++row)
        PaintRow(row, c0, c1);
}
