// Painting the HP 700/92's window rows and label rows into the frame's picture: cells in
// runs that look alike, coloured by their pair and enhancement through the attribute
// colour table, drawn as text, as the alternate (line-drawing) set or as the symbols of
// control characters shown under Display Functions.
#include <utility>

#include "terminal/core/base/ticks.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/glyphpaint.h"
#include "terminal/core/paint/glyphs.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/screen/display.h"
#include "terminal/emulations/hp700/window/labelbuttons.h"
#include "terminal/emulations/hp700/window/run700.h"
#include "terminal/settings/store/colours.h"

namespace {

constexpr int kGlyphWidth = 9, kGlyphHeight = 17;

struct Colours {
    int foreground, background;
};

// A run's colours: the pair's, then the enhancement's combination (its own colours,
// half-bright as an intensity change, inverse where the table shows it), then the
// selection the other way round.
Colours RunColours(u8 enhancement, u8 pair, bool selected)
{
    Colours c{Hp700.settings.foreground[pair & 7] & 0x0F, Hp700.settings.background[pair & 7] & 0x0F};
    const int e = enhancement & kHpEnhMask;
    if (e) {
        const int combination = Hp700Combination(static_cast<u8>(e));
        const u8 frg = AttributeColourTable.frg[combination], bck = AttributeColourTable.bck[combination];
        bool inverse = (e & kHpEnhInverse) != 0;
        if (bck & 0x80) {
            c.foreground = frg & 0x0F;
            c.background = bck & 0x0F;
        }
        if ((e & kHpEnhHalfBright) && (frg & 0x80))
            c.foreground ^= 8;
        if (inverse && !(frg & 0x20))
            inverse = false;
        if (inverse)
            std::swap(c.foreground, c.background);
    }
    if (selected)
        std::swap(c.foreground, c.background);
    return {c.foreground & 0x0F, c.background & 0x0F};
}

struct Run {
    int column = 0, count = 0;
    int glyph = 0;
    u8 pair = 0, enhancement = 0, selected = 0;
    bool Same(const Run& o) const
    {
        return glyph == o.glyph && pair == o.pair && enhancement == o.enhancement && selected == o.selected;
    }
};

bool BlinkHidden(u8 enhancement)
{
    return !BlinkPhaseOn && (enhancement & kHpEnhBlink) &&
           (AttributeColourTable.frg[Hp700Combination(enhancement)] & 0x10);
}

void DrawRun(int row, const Run& run, const ScreenCell* cells)
{
    if (PaintSettings.displayOff || run.count < 1)
        return;
    const Colours c = RunColours(run.enhancement, run.pair, run.selected != 0);
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
    const bool hidden = (run.enhancement & kHpSecurity) || BlinkHidden(run.enhancement);
    if (run.glyph == 1) {
        u8 indexes[kHpLineCells];
        for (int i = 0; i < run.count; ++i) {
            const ScreenCell& cell = cells[run.column + i];
            const int glyph = Hp700AlternateGlyph(cell.ch);
            indexes[i] = static_cast<u8>(hidden || cell.ch == 0 || glyph < 0 ? 0 : glyph);
        }
        if (!hidden)
            DrawResourceGlyph(indexes, run.count, rect, kResHpAlternateGlyphs, kGlyphWidth, kGlyphHeight);
    } else if (run.glyph == 2) {
        wchar_t text[kHpLineCells];
        for (int i = 0; i < run.count; ++i)
            text[i] = static_cast<wchar_t>(cells[run.column + i].ch & 0x1F);
        if (!hidden)
            DrawResourceFontGlyphs(rect, text, run.count);
    } else if (!hidden) {
        wchar_t text[kHpLineCells];
        for (int i = 0; i < run.count; ++i) {
            const u8 ch = cells[run.column + i].ch;
            text[i] = static_cast<wchar_t>(ch < 32 ? u' ' : Hp700Roman8Char(ch));
        }
        ExtTextOutW(ScreenDC, rect.left, rect.top, 0, nullptr, text, run.count, AdvanceArray());
    }
    const int e = run.enhancement & kHpEnhMask;
    if ((e & kHpEnhUnderline) && (AttributeColourTable.frg[Hp700Combination(static_cast<u8>(e))] & 0x40))
        DrawHorizontalRule(rect.left, rect.right, rect.bottom - 1);
}

void PaintRow(int row, int first, int last)
{
    const HpLine* line = Hp700WindowLine(row);
    RECT whole{static_cast<LONG>(first * CellWidth), static_cast<LONG>(row * LineHeight),
               static_cast<LONG>((last + 1) * CellWidth), static_cast<LONG>((row + 1) * LineHeight)};
    const bool textRow = row < kHpScreenRows;
    // The soft keys' labels are buttons over both label rows.
    if (!textRow && !line && Hp700.labelsShown && Hp700.menu <= kHpMenuDeviceModes) {
        FillRectBackground(ScreenDC, &whole);
        Hp700PaintKeyLabels();
        return;
    }
    if (!line || (textRow && Hp700.displayOff && Hp700.menu != kHpMenuConfig)) {
        FillRectBackground(ScreenDC, &whole);
        return;
    }
    Run run;
    bool open = false;
    for (int column = first; column <= last; ++column) {
        const ScreenCell& cell = line->cells[column];
        Run next;
        next.column = column;
        next.glyph = Hp700CellGlyphSet(cell);
        next.pair = cell.colour & 0x0F;
        next.enhancement = cell.rendition & (kHpEnhMask | kHpSecurity | kHpAltSet);
        next.selected = cell.flags & kHpSelected;
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

void Hp700RepaintRegion(int r0, int c0, int r1, int c1)
{
    if (!Hp700Running() || !ScreenDC)
        return;
    ScreenPaintGuard guard;
    if (c0 > c1)
        std::swap(c0, c1);
    if (c0 < 0)
        c0 = 0;
    if (c1 > Hp700.lastColumn)
        c1 = Hp700.lastColumn;
    for (int row = r0 < 0 ? 0 : r0; row <= r1 && row < kHpScreenRows + 2; ++row)
        PaintRow(row, c0, c1);
}
