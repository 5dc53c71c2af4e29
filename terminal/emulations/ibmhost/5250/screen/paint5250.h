// The 5250 row painter's helpers: the blink step and the block cursor.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

void I5250RedrawBlinking(I5250Session* s);
// Whether the cursor is drawn on a row span, and its cell inverted.
bool I5250CursorDrawnAt(int row, int first, int last);
void I5250InvertCursorCell(const I5250Session* s);
