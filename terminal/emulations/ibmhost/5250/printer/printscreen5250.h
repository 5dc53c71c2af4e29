// Print Screen on a 5250 display: the rows as the printer gets them, one posted step a
// row through the core's print-screen run.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct I5250Session;
struct ScreenLineRecord;

void I5250StartPrintScreen();
void I5250PrintScreenRow(u32 row);
// Row `row` as printed: attribute and hidden cells blank, controls blank.
void I5250PrintRowText(const I5250Session* s, int row, ScreenLineRecord& line);
