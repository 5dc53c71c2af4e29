// Pages opened from inside a Setup page or a dialog: the serial page behind the New
// Connection page's "Configure..", and the serial page for the printer and auxiliary
// ports. Each saves the page number and puts it back, and gives the focus back to the
// window it came from.
#pragma once

#include "terminal/core/base/win32.h"

void OpenSerialFromConnection(HWND window);
// The serial page over the printer port's or the auxiliary port's line: the caller's
// five indices in, the chosen ones out (unchanged after Cancel).
struct LineIndices {
    u8 speed, parity, stopBits, dataBits, flow;
};
bool OpenPrinterPortSetup(HWND window, LineIndices& line);
bool OpenAuxPortSetup(HWND window, LineIndices& line);
