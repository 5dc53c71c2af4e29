#include "terminal/emulations/ibmhost/3270/paint3270.h"

#include <vector>

#include "terminal/core/base/ticks.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/glyphpaint.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/core/screen/codepages.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"
#include "terminal/emulations/ibmhost/station/hostpaint.h"

namespace {
constexpr u8 kSymbolClassMask = 0x70;

// A run: cells that paint alike.
struct Run {
    int column = 0, count = 0;
    u8 field = 0, rendition = 0, mark = 0, colour = 0, symbols = 0;
    bool Same(const Run& o) const
    {
        return field == o.field && rendition == o.rendition && mark == o.mark && colour == o.colour &&
               symbols == o.symbols;
    }
};

int AttributePair(const HostDisplayCell& cell)
{
    static constexpr int kGroupOfClass[8] = {0, 2, 3, 0, 1, 0, 0, 0};
    const int group = kGroupOfClass[cell.rendition & 0x07];
    const int kind = ((cell.field & kCellProtected) ? 2 : 0) + ((cell.field & kCellIntensified) ? 1 : 0);
    return 4 * group + kind;
}

void PaintRun(I3270Session* s, int row, const Run& run, const u8* characters)
{
    const bool status = row >= s->current.rows;
    // An attribute position is a blank without the field's highlighting.
    const u8 rendition = (run.field & kCellAttribute) ? 0 : run.rendition;
    HostDisplayCell look{0, run.colour, rendition, run.field};
    const CellLook c = I3270MapCellColours(s, row, look);
    SetCellForeground(c.foreground);
    SetCellBackground(c.background);
    const RECT rect = HostRunRect(row, run.column, run.count);
    // Blinking text is blank in the off phase of the blink.
    const bool hidden = (c.rendition & 0x07) == kHighlightBlink && !BlinkPhaseOn;
    DrawHostRun(rect, characters, run.count, s->s2u, run.symbols != 0, hidden);
    if (!hidden) {
        if ((c.rendition & 0x07) == kHighlightUnderline)
            DrawHorizontalRule(rect.left, rect.right, rect.bottom - 1);
    }
    if (status) {
        // The rule above the operator information area, in the colour of normal text.
        SetCellForeground(s->attributeColours[0] & 0x0F);
        DrawHorizontalRule(rect.left, rect.right, rect.top);
    }
}
}  // namespace

bool I3270CellVisible(const HostDisplayCell& cell)
{
    return cell.character != 0 && cell.character != 0x40 && cell.character != 0xFF &&
           !(cell.field & kCellAttribute) && (cell.field & kCellDisplayBits) != kCellDisplayBits;
}

CellLook I3270MapCellColours(const I3270Session* s, int row, const HostDisplayCell& cell)
{
    CellLook c{cell.colour & 0x0F, cell.colour >> 4, cell.rendition};
    if (row < s->current.rows) {
        const int pair = AttributePair(cell);
        const u8 fg = s->attributeColours[2 * pair], bg = s->attributeColours[2 * pair + 1];
        if (bg & 0x80) {
            if (c.foreground == 0)
                c.foreground = fg & 0x0F;
            if (c.background == 0)
                c.background = bg & 0x0F;
            u8 keep = 0;
            if (fg & 0x10)
                keep |= kHighlightBlink;
            if (fg & 0x40)
                keep |= kHighlightUnderline;
            if (fg & 0x20)
                keep |= kHighlightReverse;
            c.rendition = static_cast<u8>((c.rendition & ~0x07) | (c.rendition & keep));
        }
        if ((c.rendition & 0x07) == kHighlightReverse)
            std::swap(c.foreground, c.background);
        if (cell.field & kDisplayMark)
            std::swap(c.foreground, c.background);
    } else if (s->macroState & 0x40) {
        std::swap(c.foreground, c.background);
    }
    return c;
}

void PaintHostRow(I3270Session* s, int row, int first, int last)
{
    if (!s || s->model == k3287PrinterModel || s->current.columns <= 0 || row < 0 || row > s->current.rows ||
        static_cast<std::size_t>(row) >= s->rows.size() || !ScreenDC)
        return;
    if (first > last)
        std::swap(first, last);
    if (first < 0)
        first = 0;
    if (last >= s->current.columns)
        last = s->current.columns - 1;
    if (first > last)
        return;
    ScreenPaintGuard guard;
    const bool status = row == s->current.rows;
    // The cursor's inverted cell is painted over; it is inverted again afterwards.
    const bool cursorHere = !status && I3270CursorDrawnAt(row, first, last);
    HostDisplayRow& line = s->rows[static_cast<std::size_t>(row)];
    std::vector<u8> characters(static_cast<std::size_t>(last - first + 1));
    Run run;
    bool open = false;
    for (int column = first; column <= last; ++column) {
        const HostDisplayCell& d = line.cells[column];
        u8 ch = d.character;
        u8 symbols = d.rendition & kDisplaySymbol;
        const bool blank = ch == 0 || ch == 0x40 || ch == 0xFF || (d.field & kCellAttribute) ||
                           (!status && (d.field & kCellDisplayBits) == kCellDisplayBits);
        if (blank) {
            ch = 0x40;
            symbols = 0;
        } else if ((d.rendition & 0x07) == kHighlightBlink) {
            line.header[0] = 1;
            s->blinkPresent = 1;
        }
        if (!status && !symbols && ch < 0x40) {
            // DUP, field mark and the substitute are shown as their symbols.
            if (ch == 0x1C || ch == 0x1E || ch == 0x3F) {
                ch = ch == 0x1C ? 0 : ch == 0x1E ? 1 : 2;
                symbols = kSymbolClassMask;
            } else {
                ch = 0x40;
            }
        }
        if (status && !(d.rendition & kDisplaySymbol) && d.character < 0x40)
            ch = 0x40;
        Run next;
        next.column = column;
        next.field = d.field & 0x6C;
        next.rendition = static_cast<u8>(d.rendition & 0x07);
        next.mark = d.field & kDisplayMark;
        next.colour = d.colour;
        next.symbols = symbols ? 1 : 0;
        if (open && !run.Same(next)) {
            PaintRun(s, row, run, characters.data() + (run.column - first));
            open = false;
        }
        if (!open) {
            run = next;
            run.count = 0;
            open = true;
        }
        characters[static_cast<std::size_t>(column - first)] = ch;
        ++run.count;
    }
    if (open)
        PaintRun(s, row, run, characters.data() + (run.column - first));
    if (cursorHere)
        I3270InvertCursorCell(s);
}

void I3270InvertCursorCell(const I3270Session* s)
{
    if (s->current.columns <= 0)
        return;
    InvertHostCell(s->cursor / s->current.columns, s->cursor % s->current.columns,
                   (PaintSettings.cursorStyle & 1) != 0);
}

void I3270RedrawBlinking(I3270Session* s)
{
    if (!s || s->model == k3287PrinterModel || s->rows.empty() || !s->blinkPresent)
        return;
    s->blinkPresent = 0;
    for (int row = 0; row <= s->current.rows && static_cast<std::size_t>(row) < s->rows.size(); ++row) {
        HostDisplayRow& line = s->rows[static_cast<std::size_t>(row)];
        if (!line.header[0])
            continue;
        line.header[0] = 0;
        int first = -1, last = -1;
        for (int c = 0; c < s->current.columns; ++c) {
            const HostDisplayCell& d = line.cells[c];
            if (I3270CellVisible(d) && (d.rendition & 0x07) == kHighlightBlink) {
                if (first < 0)
                    first = c;
                last = c;
            }
        }
        if (first >= 0) {
            s->blinkPresent = 1;
            PaintHostRow(s, row, first, last);
        }
    }
}
