#include "terminal/core/screenscroll.h"

#include "terminal/core/corestate.h"
#include "terminal/core/fonts.h"
#include "terminal/core/paintsettings.h"
#include "terminal/core/screencolours.h"
#include "terminal/core/screendc.h"

void DrawHorizontalRule(int x0, int x1, int y)
{
    ScreenPaintGuard guard;
    RealizePendingPalette();
    int index = CachedTextColourIndex();
    HPEN pen = CreatePen(PS_SOLID, 1, index >= 0 ? TerminalPalette[index] : GetTextColor(ScreenDC));
    if (!pen)
        return;
    if (!PaintSettings.displayOff && !Iconic) {
        HGDIOBJ old = SelectObject(ScreenDC, pen);
        const POINT line[2] = {{x0, y}, {x1, y}};
        Polyline(ScreenDC, line, 2);
        SelectObject(ScreenDC, old);
    }
    DeleteObject(pen);
}
