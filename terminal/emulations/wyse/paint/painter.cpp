// Painting the Wyse screen into the frame's picture: each row walked into runs of cells
// that look alike, drawn as text, line-drawing glyphs, control pictures or down-loaded
// glyphs, at the width and height of the row's line attribute.
#include "terminal/core/base/ticks.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/window/idle.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/glyphpaint.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/charsets/codepagetables.h"
#include "terminal/emulations/wyse/paint/rowlook.h"
#include "terminal/emulations/wyse/platform.h"
#include "terminal/emulations/wyse/store/wysemodes.h"

namespace {

enum class Kind : u8 { Text, LineDrawing, Control, Soft };

// A box-drawing or block character as code page 437 numbers it, for the line-drawing
// glyphs; 0 when it is none.
u16 LineDrawingCode(u16 u)
{
    if (u < 0x2500 || u > 0x25A0)
        return 0;
    for (int i = 0; i < 128; ++i)
        if (kCp437Upper[i] == u)
            return static_cast<u16>(0x80 + i);
    return 0;
}

Kind KindOf(u16 glyph)
{
    if (glyph & kWyseSoftGlyph)
        return Kind::Soft;
    if (glyph >= 0x2400 && glyph < 0x2420)
        return Kind::Control;
    if (LineDrawingCode(glyph))
        return Kind::LineDrawing;
    return Kind::Text;
}

void FillBackground(const RECT& rect)
{
    HBRUSH brush = CreateSolidBrush(GetBkColor(ScreenDC));
    if (brush) {
        FillRect(ScreenDC, &rect, brush);
        DeleteObject(brush);
    }
}

// One down-loaded glyph: its row bytes, two more pixels where a row's last is set so
// that drawn lines join, stretched to the cell.
void DrawSoftGlyph(int x, int y, int width, u16 glyph, u8 lineFlags)
{
    const u8* rows = WyseSoftGlyphRows(glyph);
    if (!rows)
        return;
    const int height = WyStore.rowsInUse > 26 ? 9 : 16;
    u8 bits[32] = {};
    for (int r = 0; r < height; ++r) {
        bits[2 * r] = rows[r];
        bits[2 * r + 1] = (rows[r] & 1) ? 0xC0 : 0;
    }
    DrawGlyphBitmap(x, y, width, LineHeight, bits, WyStore.columnsLast > 79 ? 9 : 10, height, lineFlags);
}

void DrawRun(int x, int y, int cellWidth, const WysePaintCell* cells, int count, Kind kind, u8 lineFlags)
{
    SetCellForeground(cells[0].foreground);
    SetCellBackground(cells[0].background);
    RECT rect{x, y, x + count * cellWidth, y + LineHeight};
    const bool hidden = PaintSettings.displayOff || (cells[0].effects & kWyBlank) ||
                        ((cells[0].effects & kWyBlink) && !BlinkPhaseOn);
    wchar_t text[kWyseCells];
    for (int i = 0; i < count; ++i)
        text[i] = static_cast<wchar_t>(kind == Kind::LineDrawing ? LineDrawingCode(cells[i].glyph)
                                       : kind == Kind::Control   ? cells[i].glyph - 0x2400
                                                                 : cells[i].glyph);
    HRGN clip = nullptr;
    RECT textRect = rect;
    if (lineFlags & (kWyTopHalf | kWyBottomHalf)) {
        clip = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
        if (clip)
            SelectClipRgn(ScreenDC, clip);
        if (lineFlags & kWyTopHalf)
            textRect.bottom += LineHeight;
        else
            textRect.top -= LineHeight;
    }
    if (hidden || kind != Kind::Text) {
        FillBackground(rect);
        if (!hidden) {
            if (kind == Kind::LineDrawing)
                DrawLineDrawingGlyphs(textRect, text, count);
            else if (kind == Kind::Control)
                DrawResourceFontGlyphs(textRect, text, count);
            else
                for (int i = 0; i < count; ++i)
                    DrawSoftGlyph(x + i * cellWidth, y, cellWidth, cells[i].glyph, lineFlags);
        }
    } else {
        ExtTextOutW(ScreenDC, textRect.left, textRect.top, ETO_OPAQUE, &rect, text, static_cast<UINT>(count),
                    AdvanceArray());
    }
    if (clip) {
        SelectClipRgn(ScreenDC, nullptr);
        DeleteObject(clip);
    }
    if (!hidden && (cells[0].effects & kWyUnderline) && !(lineFlags & kWyTopHalf))
        DrawHorizontalRule(rect.left, rect.right, rect.bottom - 1);
}

bool SameLook(const WysePaintCell& a, const WysePaintCell& b)
{
    return a.foreground == b.foreground && a.background == b.background && a.effects == b.effects;
}

void PaintRow(int row, int c0, int c1, u8 carry)
{
    const ScreenLineRecord* line = WyStore.row[row];
    const u8 lineFlags = line ? static_cast<u8>(WyseLineAttribute(line) &
                                                (kWyDoubleWidth | kWyTopHalf | kWyBottomHalf))
                              : 0;
    int last = WyStore.columnsLast;
    if (lineFlags & kWyDoubleWidth) {
        last = (WyStore.columnsLast + 1) / 2 - 1;
        c0 = 0;
        c1 = last;
    }
    if (c1 > last)
        c1 = last;
    if (c0 < 0)
        c0 = 0;
    if (c0 > c1)
        return;
    WysePaintCell cells[kWyseCells];
    WyseRowLooks(row, carry, cells, c1 + 1);
    SelectLineFont(0, lineFlags);
    const int cellWidth = CellWidth;
    const int y = row * LineHeight;
    int start = c0;
    Kind kind = KindOf(cells[c0].glyph);
    for (int c = c0 + 1; c <= c1 + 1; ++c) {
        const Kind k = c <= c1 ? KindOf(cells[c].glyph) : Kind::Text;
        if (c <= c1 && k == kind && SameLook(cells[c], cells[start]))
            continue;
        DrawRun(start * cellWidth, y, cellWidth, cells + start, c - start, kind, lineFlags);
        start = c;
        kind = k;
    }
    SelectLineFont(0, 0);
}

}  // namespace

void WysePaintRegion(int r0, int c0, int r1, int c1)
{
    if (!WyseStoreActive() || WysePaintingSuspended() || !ScreenDC)
        return;
    ScreenPaintGuard guard;
    u8 carry[kWyseScreenRows];
    WyseRowCarries(carry);
    if (r0 < 0)
        r0 = 0;
    for (int r = r0; r <= r1 && r < WyStore.rowsInUse && r < kWyseScreenRows; ++r)
        PaintRow(r, c0, c1, carry[r]);
}

int WyseDoubleCellWidth()
{
    return 2 * BaseCellWidth;
}
