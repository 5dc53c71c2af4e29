// Painting a 5250 session's display rows into the screen window: runs of cells that
// look alike are filled and drawn in one call, with underline, column separators and
// the symbols of Dup, Field Mark and the text-assist controls.
#include "terminal/emulations/ibmhost/5250/screen/paint5250.h"

#include "terminal/core/base/ticks.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/window/idle.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/station/hostpaint.h"
#include "terminal/settings/store/colours.h"

namespace {
constexpr u8 kRunRendition = 0x3F;
constexpr int kStatusRuleColour = 3;

struct Run {
    int column = 0, count = 0;
    u8 rendition = 0, mark = 0, colour = 0, symbols = 0;
    bool Same(const Run& o) const
    {
        return rendition == o.rendition && mark == o.mark && colour == o.colour && symbols == o.symbols;
    }
};

// A character below 0x40 on a screen row: its symbol, or 0xFF for a blank.
u8 ControlSymbol(const I5250Session* s, u8 ch)
{
    if (s->text.mode) {
        if (I5250Config.hideWp)
            return 0xFF;
        switch (ch) {
        case 0x02: return 7;
        case 0x03: return 4;
        case 0x05: return 6;
        case 0x06:
        case 0x1F: return 5;
        case 0x0C: return 3;
        case 0x1A: return 8;
        case 0x1C: return 0;
        case 0x1E: return 9;
        default: return 0xFF;
        }
    }
    return ch == 0x1C ? 0 : ch == 0x1E ? 1 : 0xFF;
}

void DrawColumnSeparators(const RECT& r, int count, COLORREF colour)
{
    const int y = r.bottom - 1;
    SetPixelV(ScreenDC, r.left + 1, y, colour);
    for (int i = 0; i < count; ++i) {
        const int x = r.left + i * CellWidth;
        SetPixelV(ScreenDC, x, y, colour);
        SetPixelV(ScreenDC, x + CellWidth - 1, y, colour);
    }
    SetPixelV(ScreenDC, r.right - 2, y, colour);
}

void PaintRun(I5250Session* s, int row, const Run& run, const u8* characters)
{
    if (run.column >= s->current.columns)
        return;
    const int count = run.column + run.count > s->current.columns ? s->current.columns - run.column : run.count;
    const bool status = row >= StatusRowIndex(s);
    const u8 rendition = run.rendition;
    int fg = run.colour & 0x0F, bg = run.colour >> 4;
    if (!status) {
        if (run.mark)
            std::swap(fg, bg);
        if (rendition & kShowReverse)
            std::swap(fg, bg);
    } else if (s->macroState & 0x40) {
        std::swap(fg, bg);
    }
    SetCellForeground(fg);
    SetCellBackground(bg);
    const bool blinkOff = (rendition & kShowBlink) && !BlinkPhaseOn;
    SelectLineFont(0, Colours.bolditalic && (rendition & kShowBold) ? kFontItalic : 0);
    const RECT rect = HostRunRect(row, run.column, count);
    DrawHostRun(rect, characters, count, s->s2u, run.symbols != 0, blinkOff);
    if (rendition & kShowUnderline)
        DrawHorizontalRule(rect.left, rect.right, rect.bottom - 1);
    if (rendition & kShowSeparators)
        DrawColumnSeparators(rect, count,
                             (rendition & kShowUnderline) ? GetBkColor(ScreenDC) : GetTextColor(ScreenDC));
    if (status) {
        SetCellForeground(kStatusRuleColour);
        DrawHorizontalRule(rect.left, rect.right, rect.top);
    }
}
}  // namespace

void I5250Paint(I5250Session* s, int row, int first, int last)
{
    if (!s || !ScreenDC || s->printerSession || s->rows.empty() || row < 0 || row > StatusRowIndex(s) ||
        PaintSettings.displayOff)
        return;
    const int columns = s->current.columns;
    if (first < 0)
        first = 0;
    if (last >= columns)
        last = columns - 1;
    if (first > last)
        return;
    const bool status = row == StatusRowIndex(s);
    HostDisplayRow& line = s->rows[static_cast<std::size_t>(I5250DisplayRowFor(s, row))];
    ScreenPaintGuard guard;
    const bool cursorHere = !status && I5250CursorDrawnAt(row, first, last);
    u8 characters[kHostRowCells];
    Run run;
    bool open = false;
    for (int column = first; column <= last; ++column) {
        const HostDisplayCell& d = line.cells[column];
        u8 ch = d.character;
        u8 symbols = d.rendition & kShowSymbol;
        const bool hidden = (d.colour & 0x0F) == (d.colour >> 4) && !status;
        if (ch == 0 || ch == 0x40 || ch == 0xFF || (d.rendition & kShowAttribute) || hidden) {
            ch = 0x40;
            symbols = 0;
        } else if (I5250CellBlinks(d, status)) {
            line.header[0] = 1;
            s->blinkPresent = 1;
        }
        if (!symbols && ch < 0x40) {
            const u8 symbol = status ? 0xFF : ControlSymbol(s, ch);
            if (symbol == 0xFF) {
                ch = 0x40;
            } else {
                ch = symbol;
                symbols = kShowSymbol;
            }
        }
        Run next;
        next.column = column;
        next.rendition = (d.rendition & kShowAttribute) ? 0 : static_cast<u8>(d.rendition & kRunRendition);
        next.mark = d.field & kDisplayMark;
        next.colour = d.colour;
        next.symbols = symbols ? 1 : 0;
        if (open && !run.Same(next)) {
            PaintRun(s, row, run, characters + (run.column - first));
            open = false;
        }
        if (!open) {
            run = next;
            run.count = 0;
            open = true;
        }
        characters[column - first] = ch;
        ++run.count;
    }
    if (open)
        PaintRun(s, row, run, characters + (run.column - first));
    if (cursorHere)
        I5250InvertCursorCell(s);
}

void I5250RedrawBlinking(I5250Session* s)
{
    if (!s || s->printerSession || s->rows.empty() || !s->blinkPresent)
        return;
    s->blinkPresent = 0;
    for (int row = 0; row <= StatusRowIndex(s); ++row) {
        if (s->errorLineInUse == 0 && row == MessageRowIndex(s))
            continue;
        HostDisplayRow& line = s->rows[static_cast<std::size_t>(I5250DisplayRowFor(s, row))];
        if (!line.header[0])
            continue;
        line.header[0] = 0;
        int first = -1, last = -1;
        for (int c = 0; c < s->current.columns; ++c) {
            const HostDisplayCell& d = line.cells[c];
            if (d.character != 0x40 && d.character && I5250CellBlinks(d, row == StatusRowIndex(s))) {
                if (first < 0)
                    first = c;
                last = c;
            }
        }
        if (first >= 0) {
            s->blinkPresent = 1;
            I5250Paint(s, row, first, last);
        }
    }
}

void I5250ScrollRows(I5250Session* s)
{
    // Character mode scrolls the whole screen: repaint it from the moved rows.
    I5250UpdateDisplay(s, true);
}
