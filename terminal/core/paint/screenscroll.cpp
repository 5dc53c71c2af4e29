// Scrolling the painted screen, clearing rows, rules and the text cursor.
#include "terminal/core/paint/screenscroll.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/paint/damage.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/frame.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/settings/store/colours.h"

namespace {

// Width of what is scrolled: the screen window's client area, or the terminal's own
// width when there is no window (painting into an off-screen context).
int ClientWidth()
{
    RECT client{};
    if (ScreenWindowHandle)
        GetClientRect(ScreenWindowHandle, &client);
    return client.right > 0 ? client.right : (Screen.lastColumn + 1) * CellWidth;
}

void ScrollRows(int r0, int r1, bool up)
{
    if (PaintSettings.jumpScroll && !Iconic) {
        CountDeferredScroll();
        return;
    }
    // The frame moves the picture for it (damage.h) and paints the uncovered row.
    DamageScroll(r0, r1, up);
}

}  // namespace

void ScrollScreenUp(int r0, int r1)
{
    ScrollRows(r0, r1, true);
}

void ScrollScreenDown(int r0, int r1)
{
    ScrollRows(r0, r1, false);
}

void ScrollScreenRect(int fromColumn, int fromRow, int toColumn, int toRow)
{
    if (ProfileLoadInProgress || Iconic)
        return;
    const int lastRow = Screen.rows - 1, lastColumn = Screen.lastColumn;
    int c0 = 0, c1 = lastColumn, r0 = 0, r1 = lastRow;
    if (fromColumn != toColumn) {
        c0 = fromColumn < toColumn ? fromColumn : toColumn;
        c1 = fromColumn < toColumn ? toColumn : fromColumn;
    }
    if (fromRow != toRow) {
        r0 = fromRow < toRow ? fromRow : toRow;
        r1 = fromRow < toRow ? toRow : fromRow;
    }
    // The store already shows the move: the rectangle is painted from it again.
    DamageRegion(r0, c0, r1, c1);
    RefreshStatusLine();
}

void DrawHorizontalRule(int x0, int x1, int y)
{
    ScreenPaintGuard guard;
    if (!ScreenDC)
        return;
    RealizePendingPalette();
    const int index = CachedTextColourIndex();
    HPEN pen = CreatePen(PS_SOLID, 1, index >= 0 ? TerminalPalette[index] : GetTextColor(ScreenDC));
    if (!pen)
        return;
    if (!ComposingFrame())
        DamagePictureTouched();
    if (!PaintSettings.displayOff && !Iconic) {
        HGDIOBJ old = SelectObject(ScreenDC, pen);
        const POINT line[2] = {{x0, y}, {x1, y}};
        Polyline(ScreenDC, line, 2);
        SelectObject(ScreenDC, old);
    }
    DeleteObject(pen);
}

void ClearScreenRows(int r0, int r1)
{
    if (Iconic || !ScreenDC)
        return;
    ScreenPaintGuard guard;
    if (!ComposingFrame())
        DamagePictureTouched();
    RealizePendingPalette();
    const int index = PaintSettings.reverseScreen ? (AttributeColourTable.frg[0] & 15)
                                                  : (AttributeColourTable.bckscrn & 15);
    RECT rect{0, r0 * LineHeight, ClientWidth() + 1, (r1 + 1) * LineHeight};
    HBRUSH brush = CreateSolidBrush(TerminalPalette[index]);
    if (brush) {
        FillRect(ScreenDC, &rect, brush);
        DeleteObject(brush);
    }
}

bool TextCursorRect(int argument, RECT* rect)
{
    const int column = CursorScreenColumn();
    const int row = CursorWindowRow();
    if (column < 0 || row < 0)
        return false;
    const ScreenLineRecord* line = FamilyPlacesCaret() ? nullptr : CursorLine();
    const bool doubleWidth = line && (line->cells[0].flags & kLineDoubleWidth);
    const int width = doubleWidth ? 2 * BaseCellWidth : BaseCellWidth;
    const int height = BaseLineHeight;
    const int style = TextCursorStyle();
    // The blink tick calls with 1: the steady styles stay as they are.
    if (style >= 2 && argument != 0)
        return false;
    const int x = column * width, y = row * height;
    if (style == 0 || style == 2)
        *rect = RECT{x, y + height - 2, x + width, y + height};
    else
        *rect = RECT{x, y, x + width, y + height};
    return true;
}

void ToggleTextCursor(int argument)
{
    if (Iconic || PaintSettings.displayOff)
        return;
    if (const DisplayHooks* display = ActiveFamily().display)
        if (display->drawCursor) {
            display->drawCursor(argument);
            return;
        }
    // The picture never holds the cursor: the frame shows it over the picture where it
    // is then, so only whether it shows changes here.
    RECT rect;
    if (!TextCursorRect(argument, &rect))
        return;
    CursorShown = CursorShown ? 0 : 1;
    DamageCursor();
}
