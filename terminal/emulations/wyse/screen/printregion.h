// Printing from the screen: the region up to the cursor, one line, the print-screen
// and print-page jobs of the menu.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct ScreenLineRecord;

// From the send start line to the cursor; `crLfAlways` ends every line with CR LF,
// else only a cursor line cut short.
void WysePrintRegion(bool crLfAlways);
// The cursor's line (auto print).
void WysePrintCursorLine();
// A line's cells as printed text, then CR LF.
void WysePrintLineText(const ScreenLineRecord* line);
// The core's Print Screen and Print Buffer, and one step of them (posted command).
void WyseStartPrintScreen();
void WyseStartPrintBuffer();
void WysePrintScreenStep(u32 step);
