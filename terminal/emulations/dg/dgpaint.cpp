// Painting the DG screen into the frame's picture: each row in runs of cells that look
// alike, in cells of 1/81 of the width (1/135 on a compressed row) and 1/24 of the
// height, text with the terminal font and the glyph sets from the terminal's own
// drawings, the attribute colours of each combination, underline, blink and the cursor.
#include "terminal/emulations/dg/dgpaint.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/ticks.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/window/idle.h"
#include "terminal/core/window/screenwindow.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/glyphpaint.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dg/dgcharsets.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgdamage.h"
#include "terminal/emulations/dg/dgstate.h"
#include "terminal/emulations/dg/dgview.h"
#include "terminal/settings/store/colours.h"

namespace {

constexpr int kShownNormal = kDgNormalWidth + 1, kShownCompressed = kDgCompressedWidth + 1;

// The fonts of one cell size: regular and bold.
struct FontSet {
    int width = 0, height = 0;
    HFONT regular = nullptr, bold = nullptr;
    INT advance[kShownCompressed] = {};
};
FontSet g_fonts[2];  // normal rows, compressed rows

HFONT MakeFont(int height, int width, bool bold)
{
    LOGFONTW font;
    FillTerminalLogFont(&font, height, width, false);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return CreateFontIndirectW(&font);
}

void DropFonts(FontSet& set)
{
    if (set.regular)
        DeleteObject(set.regular);
    if (set.bold)
        DeleteObject(set.bold);
    set = FontSet{};
}

// The screen window's client size, or the terminal's own when there is no window
// (painting into a picture of a test's own).
void ClientSize(int* width, int* height)
{
    RECT client{};
    if (ScreenWindowHandle)
        GetClientRect(ScreenWindowHandle, &client);
    *width = client.right > 0 ? client.right : BaseCellWidth * kShownNormal;
    *height = client.bottom > 0 ? client.bottom : BaseLineHeight * kDgRows;
}

// The fonts and advances of a row's cell size; nullptr when the area is too small for
// a cell (the sizes then stay as they were).
FontSet* FontsFor(bool compressed)
{
    int width, height;
    ClientSize(&width, &height);
    const int cellWidth = width / (compressed ? kShownCompressed : kShownNormal);
    const int cellHeight = height / kDgRows;
    FontSet& set = g_fonts[compressed ? 1 : 0];
    if (cellWidth <= 0 || cellHeight <= 0)
        return set.regular ? &set : nullptr;
    if (set.width != cellWidth || set.height != cellHeight || !set.regular) {
        DropFonts(set);
        set.width = cellWidth;
        set.height = cellHeight;
        set.regular = MakeFont(cellHeight, cellWidth, false);
        for (INT& a : set.advance)
            a = cellWidth;
        if (compressed)
            DgCompressedCellWidth = cellWidth;
    }
    return set.regular ? &set : nullptr;
}

HFONT BoldFont(FontSet& set)
{
    if (!set.bold)
        set.bold = MakeFont(set.height, set.width, true);
    return set.bold ? set.bold : set.regular;
}

struct Run {
    int column = 0, count = 0;
    u8 colour = 0, rendition = 0, glyphSet = 0, mark = 0;
    bool bold = false;
    wchar_t text[kShownCompressed];
    bool Same(u8 c, u8 r, u8 g, u8 m, bool b) const
    {
        return colour == c && rendition == r && glyphSet == g && mark == m && bold == b;
    }
};

void FillCells(const RECT& rect)
{
    HBRUSH brush = CreateSolidBrush(GetBkColor(ScreenDC));
    if (brush) {
        FillRect(ScreenDC, &rect, brush);
        DeleteObject(brush);
    }
}

void DrawRun(int row, const Run& run, FontSet& fonts)
{
    const DgRunLook look = DgRunColours(run.mark != 0, run.rendition, run.colour);
    SetCellForeground(look.foreground);
    SetCellBackground(look.background);
    const int w = fonts.width, h = fonts.height;
    const RECT rect{run.column * w, row * h, (run.column + run.count) * w, (row + 1) * h};
    if (run.glyphSet == 0) {
        FillCells(rect);
        SelectObject(ScreenDC, run.bold ? BoldFont(fonts) : fonts.regular);
        ExtTextOutW(ScreenDC, rect.left, rect.top, 0, nullptr, run.text, static_cast<UINT>(run.count),
                    fonts.advance);
        if (DgRunShowsUnderline(run.rendition))
            DrawHorizontalRule(rect.left, rect.right, rect.bottom - 1);
        return;
    }
    // The terminal's own drawings, one cell at a time; they take no underline.
    for (int i = 0; i < run.count; ++i) {
        const RECT cell{rect.left + i * w, rect.top, rect.left + (i + 1) * w, rect.bottom};
        FillCells(cell);
        if (const u8* rows = DgGlyphBitmap(run.glyphSet, static_cast<u8>(run.text[i])))
            DrawGlyphBitmap(cell.left, cell.top, w, h, rows, 8, 16, 0);
    }
}

void InvertCursor(int row, int column, const FontSet& fonts)
{
    const int w = fonts.width, h = fonts.height;
    RECT r{column * w, row * h, (column + 1) * w, (row + 1) * h};
    if (Dg.cursorType == 1)
        r.top = r.bottom - 2;
    InvertCellRect(ScreenDC, r);
}

void PaintRow(int row, int c0, int c1)
{
    const DgLine* line = Dg.rows[row];
    const bool compressed = (line->lineFlags & kDgLineCompressed) != 0;
    const int shown = compressed ? kShownCompressed : kShownNormal;
    if (c0 < 0)
        c0 = 0;
    if (c1 >= shown)
        c1 = shown - 1;
    if (c0 > c1)
        return;
    FontSet* fonts = FontsFor(compressed);
    if (!fonts)
        return;
    const int left = DgViewLeftOfRow(row);
    const bool boldOption = Colours.boldfont != 0;
    HGDIOBJ previousFont = SelectObject(ScreenDC, fonts->regular);
    Run run;
    bool open = false;
    for (int c = c0; c <= c1; ++c) {
        const int at = left + c;
        const ScreenCell cell = at < kDgColumns ? line->cells[at] : DgBlankCell();
        const DgShownChar shownChar = DgCellToUnicode(cell.ch, cell.flags & kGlyphSetMask);
        const u8 rendition = static_cast<u8>(cell.rendition & 0x0F);
        const u8 mark = cell.flags & kCellSelected;
        const bool bold = boldOption && (cell.rendition & kDgDim);
        if (open && !run.Same(cell.colour, rendition, shownChar.glyphSet, mark, bold)) {
            DrawRun(row, run, *fonts);
            open = false;
        }
        if (!open) {
            run.column = c;
            run.count = 0;
            run.colour = cell.colour;
            run.rendition = rendition;
            run.glyphSet = shownChar.glyphSet;
            run.mark = mark;
            run.bold = bold;
            open = true;
        }
        const bool blank = DgBlinkBlanks(row, cell.rendition, BlinkPhaseOn != 0);
        run.text[run.count++] = blank ? L' ' : static_cast<wchar_t>(shownChar.unicode);
    }
    if (open)
        DrawRun(row, run, *fonts);
    if (previousFont)
        SelectObject(ScreenDC, previousFont);
    int cursorRow, cursorColumn;
    if (DgCursorDrawnAt(&cursorRow, &cursorColumn) && cursorRow == row && cursorColumn >= c0 && cursorColumn <= c1)
        InvertCursor(row, cursorColumn, *fonts);
}

}  // namespace

void DgRepaintRegion(int r0, int c0, int r1, int c1)
{
    if (!Dg.block || !ScreenDC || PaintSettings.displayOff)
        return;
    ScreenPaintGuard guard;
    RealizePendingPalette();
    if (r0 < 0)
        r0 = 0;
    if (r1 > kDgLastRow)
        r1 = kDgLastRow;
    for (int row = r0; row <= r1; ++row)
        PaintRow(row, c0, c1);
}

void DgReleaseFonts()
{
    ScreenPaintGuard guard;
    for (FontSet& set : g_fonts)
        DropFonts(set);
}
