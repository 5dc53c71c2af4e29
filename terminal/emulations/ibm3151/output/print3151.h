// Printing: the page, every page, a line or the message printed row by row, the
// printer pass-through of DLE DC2 ... DLE DC4, and the trace of host bytes.
#pragma once

#include "terminal/emulations/ibm3151/i3151.h"

// Each print refuses while a print runs or when no printer output can be opened.
void I3151PrintPage(I3151PageRecord* page);
void I3151PrintAll();
void I3151PrintLine(I3151PageRecord* page, int row);
void I3151PrintMessage(I3151PageRecord* page);
// The printer output of the pass-through and the trace, opened once.
void I3151StartPrinting();
void I3151StopPrinting();
void I3151PrintByte(u8 byte);
// The emulation stops: whatever it opened for the printer is finished.
void I3151EndPrinting();
