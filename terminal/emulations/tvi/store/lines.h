// Allocation and exchange of the page memory's line records.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

bool TviAllocateLines();
void TviFreeLines();
// Exchanges the records of two lines (a page moves into slot 0).
void TviSwapLines(int a, int b);
