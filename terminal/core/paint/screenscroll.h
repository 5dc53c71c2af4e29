// The drawing services around the row painter: scrolling the painted screen with
// ScrollDC instead of repainting it, clearing rows, horizontal rules, and the text
// cursor's shapes. ScrollScreenUp/Down/Rect and ToggleTextCursor are in painting.h.
#pragma once

#include "terminal/core/base/win32.h"

// A one-pixel line from x0 to x1 at y in the current text colour.
void DrawHorizontalRule(int x0, int x1, int y);
// Fills rows r0..r1 across the screen window with the screen background.
void ClearScreenRows(int r0, int r1);
// The cursor's rectangle in the screen window for a ToggleTextCursor argument; false
// when nothing is to be drawn.
bool TextCursorRect(int argument, RECT* rect);

// Merged scrolling. While the host-data thread is processing received bytes, a scroll of
// the screen is not drawn at once: consecutive scrolls of the same region and direction
// add up, rows painted inside the region meanwhile are only marked, and the whole lot
// is applied as one move of the picture followed by one paint of the rows that need it.
// Every painter that takes the paint lock applies it first (screendc.h), the reader
// applies it before it goes idle, and it never waits longer than 50 ms. Called with the
// paint lock held, except ApplyMergedScroll, which takes it.
bool MergedScrollPending();
// ApplyMergedScroll, which the reader calls, is in painting.h.
// For the row painter: true when a scroll waits and window row `row` has been marked to
// be painted after it (a row outside the scrolled region too: it is painted once, with
// the others); a row past the marks (the status line) applies the scroll first.
bool DeferRowToMergedScroll(int row);
