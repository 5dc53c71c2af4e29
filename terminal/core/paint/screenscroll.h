// The drawing services around the row painter: clearing rows, horizontal rules, and the
// text cursor's shapes. Scrolling the painted screen (ScrollScreenUp/Down/Rect) and
// ToggleTextCursor are display services (core/screen/display.h): outside a frame they
// record what the frame is to move and show (damage.h).
#pragma once

#include "terminal/core/base/win32.h"

// A one-pixel line from x0 to x1 at y in the current text colour.
void DrawHorizontalRule(int x0, int x1, int y);
// Fills rows r0..r1 across the screen window with the screen background.
void ClearScreenRows(int r0, int r1);
// The cursor's rectangle in the screen window for a ToggleTextCursor argument; false
// when nothing is to be drawn.
bool TextCursorRect(int argument, RECT* rect);
