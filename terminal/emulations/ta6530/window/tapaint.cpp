// Painting the TA6530's rows into the frame's picture: each row is cut into runs of
// cells that look alike, each run drawn through the core's run painter (and its glyph
// cache) in the colours the TA6530's attribute rules choose. The frame calls it with the
// frame lock held, so the store holds still while it is read.
#include <atomic>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/ticks.h"
#include "terminal/core/window/idle.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/emulations/ta6530/screen/tacelltext.h"
#include "terminal/emulations/ta6530/taplatform.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/tareceive.h"
#include "terminal/emulations/ta6530/settings/tasettings.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"

namespace {

// Where the cursor is drawn (inverted in the picture), -1 when it is not.
std::atomic<int> g_cursorRow{-1};
int g_cursorColumn = 0;

RECT CursorRect(int row, int column)
{
    const TaLine* line = row < kTaRows ? Ta.screen[row] : nullptr;
    const int width = line && line->doubleWidth ? 2 * BaseCellWidth : BaseCellWidth;
    RECT r{column * width, row * BaseLineHeight, (column + 1) * width, (row + 1) * BaseLineHeight};
    if (!(PaintSettings.cursorStyle & 1))
        r.top = r.bottom - 2;  // the underline cursor
    return r;
}

void InvertCursor(int row, int column)
{
    if (!ScreenDC)
        return;
    ScreenPaintGuard guard;
    const RECT r = CursorRect(row, column);
    InvertRect(ScreenDC, &r);
}

struct Run {
    int start = 0, count = 0;
    TaCellLook look{};
    wchar_t text[kTaColumns];
    bool Same(const TaCellLook& o) const
    {
        return look.foreground == o.foreground && look.background == o.background && look.underline == o.underline;
    }
};

void DrawRun(const Run& run, int y, int cellWidth, u8 fontFlags)
{
    if (run.count < 1)
        return;
    const int x = run.start * cellWidth;
    const u8 colour = static_cast<u8>(run.look.foreground | (run.look.background << 4));
    PaintCellRun(x, y, run.text, run.count, run.count * cellWidth, 0, colour, 0, 0, false, fontFlags);
    if (run.look.underline) {
        SetCellForeground(run.look.foreground);
        DrawHorizontalRule(x, x + run.count * cellWidth, y + BaseLineHeight - 1);
    }
}

void PaintRow(int row, int c0, int c1)
{
    const bool status = row == kTaStatusRow;
    const TaLine* line = status ? &TaRow24Line() : Ta.screen[row];
    if (!line)
        return;
    const bool wide = !status && line->doubleWidth;
    const int shown = wide ? kTaColumns / 2 : kTaColumns;
    if (wide) {
        c0 = 0;
        c1 = shown - 1;
    }
    c0 = c0 < 0 ? 0 : c0;
    c1 = c1 >= shown ? shown - 1 : c1;
    if (c0 > c1)
        return;
    const u8 fontFlags = wide ? kFontDoubleWidth : 0;
    const int cellWidth = wide ? 2 * BaseCellWidth : BaseCellWidth;
    const int y = row * BaseLineHeight;
    const bool blinkOff = BlinkPhaseOn == 0;
    Run run;
    run.start = c0;
    for (int c = c0; c <= c1; ++c) {
        const ScreenCell& cell = line->cells[c];
        TaCellLook look = TaChooseColours(cell, status);
        wchar_t ch = static_cast<wchar_t>(TaCellUnicode(cell));
        if (look.invisible || (look.blink && blinkOff))
            ch = L' ';
        if (run.count > 0 && !run.Same(look)) {
            DrawRun(run, y, cellWidth, fontFlags);
            run.start = c;
            run.count = 0;
        }
        run.look = look;
        run.text[run.count++] = ch;
    }
    DrawRun(run, y, cellWidth, fontFlags);
    // The rule between the text and the status row.
    if (row == kTaRows - 1) {
        SetCellForeground(TaSettings.border ? TaSettings.frg[0] & 15 : TaSettings.bck[0] & 15);
        DrawHorizontalRule(0, kTaColumns * BaseCellWidth, y + BaseLineHeight - 1);
    }
    // A drawn cursor painted over is drawn again.
    if (g_cursorRow == row && g_cursorColumn >= c0 && g_cursorColumn <= c1)
        InvertCursor(row, g_cursorColumn);
}

bool CursorWanted(int* row, int* column)
{
    if (!Ta.entered || !TaPageShown() || !Ta.cursorVisible || ModalOpen || !HasFocus || PaintSettings.displayOff)
        return false;
    const TaPage& page = TaDisplayPage();
    *row = page.cursorLine - page.top;
    *column = page.cursorColumn;
    return *row >= 0 && *row < kTaRows && *column >= 0 && *column < kTaColumns;
}

}  // namespace

void TaRepaintRegion(int r0, int c0, int r1, int c1)
{
    if (!Ta.entered || !ScreenDC)
        return;
    ScreenPaintGuard guard;
    for (int r = r0 < 0 ? 0 : r0; r <= r1 && r <= kTaStatusRow; ++r)
        PaintRow(r, c0, c1);
}

void TaDrawCursor(int argument)
{
    if (argument != 0)
        return;  // a steady cursor: the blink tick leaves it
    ScreenPaintGuard guard;
    if (g_cursorRow >= 0) {
        InvertCursor(g_cursorRow, g_cursorColumn);
        g_cursorRow = -1;
        return;
    }
    int row, column;
    if (!CursorWanted(&row, &column))
        return;
    g_cursorColumn = column;
    g_cursorRow = row;
    InvertCursor(row, column);
}

void TaHideCursor()
{
    if (g_cursorRow >= 0)
        TaDrawCursor(0);
    TaCursorDrawn = false;
}

void TaShowCursor()
{
    if (g_cursorRow < 0)
        TaDrawCursor(0);
    TaCursorDrawn = g_cursorRow >= 0;
}
