// Painting of the screen store into the screen window's device context.
#pragma once

#include "terminal/core/win32.h"

// Fills a rectangle with the active emulation's background colour.
void FillRectBackground(HDC dc, const RECT* rect);
// Hides the text cursor while the screen is updated.
void HideCursorForUpdate();
