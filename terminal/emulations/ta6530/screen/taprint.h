// Printing the TA6530's lines: print screen (the displayed page) and print buffer (the
// whole conversational store, or the displayed page), one line per posted step, and
// auto print of the line a line feed leaves.
#pragma once

#include "terminal/core/base/vxtypes.h"

void TaStartPrintScreen();
void TaStartPrintBuffer();
void TaPrintScreenStep(u32 line);
bool TaAutoPrintOn();
// A line of the line table printed at once.
void TaPrintLine(int line);
