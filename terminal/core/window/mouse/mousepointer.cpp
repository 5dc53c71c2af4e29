#include "terminal/core/window/mouse/mousepointer.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/win32.h"

void MoveMousePointerByCell(int letter)
{
    HWND window = ScreenWindowHandle ? ScreenWindowHandle : MainWindowHandle;
    POINT p;
    RECT client;
    if (!window || !GetCursorPos(&p) || !ScreenToClient(window, &p) || !GetClientRect(window, &client))
        return;
    // The first step starts a selection at the pointer and moves one pixel, so that the
    // anchor is the cell the pointer was on; later steps move a whole cell.
    const bool first = !SelectionPresent();
    if (first)
        BeginSelectionAt(p, false);
    const int dx = first ? 1 : CellWidth > 0 ? CellWidth : 8, dy = first ? 1 : LineHeight > 0 ? LineHeight : 16;
    switch (letter) {
    case 'A': p.y -= dy; break;
    case 'B': p.y += dy; break;
    case 'C': p.x += dx; break;
    case 'D': p.x -= dx; break;
    default: return;
    }
    p.x = p.x < client.left ? client.left : p.x >= client.right ? client.right - 1 : p.x;
    p.y = p.y < client.top ? client.top : p.y >= client.bottom ? client.bottom - 1 : p.y;
    ExtendSelectionTo(p);
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
}
