#include "terminal/core/painting.h"

void FillRectBackground(HDC dc, const RECT* rect)
{
    FillRect(dc, rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void HideCursorForUpdate() {}
