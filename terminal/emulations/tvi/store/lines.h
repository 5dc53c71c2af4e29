// Allocation and exchange of the page memory's line records.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

bool TviAllocateLines();
void TviFreeLines();
// Exchanges the records of two lines (a page moves into slot 0, a region scrolls).
void TviSwapLines(int a, int b);
// The window rows: 0 the top row, 1..display height + 1 the display rows, then the
// bottom row; the line each shows (the blank line for a line out of range).
int TviWindowRows();
int TviWindowLine(int windowRow);
