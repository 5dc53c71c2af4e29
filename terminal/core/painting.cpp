#include "terminal/core/painting.h"

#include "terminal/core/win32.h"

// The row painter, the cursor shapes and the scroll bar come with the painting work;
// until then nothing is drawn and the window shows its background.
void PaintRowSegment(const ScreenCell*, int, int, int, u8) {}
void RepaintScreenRegion(int, int, int, int) {}
void ScrollScreenUp(int, int) {}
void ScrollScreenDown(int, int) {}
void ScrollScreenRect(int, int, int, int) {}
void ToggleTextCursor(int) {}
void RefreshScrollRange() {}
void RefreshScrollThumb() {}
void InvalidateTerminal() {}
void RefitScreenFont() {}
void ResizeWindowToRows(int) {}

void FillRectBackground(HDC dc, const RECT* rect)
{
    FillRect(dc, rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
