// Printing to a local port (LPTn:, a file or device name, or COMn) and to a network
// printer through the LPR client module: the byte channel of a job whose characters
// go out as bytes.
#pragma once

#include "terminal/core/base/win32.h"

// Opens the LPR request, or the port of a continuous job printing directly to a port.
int OpenPrinterPort();
// Closes the LPR request (it is then sent) or the port; frees the main window.
void ClosePrinterPort();
// AutoLF in printer-controller mode (CR becomes CR LF, the LF after it is dropped),
// then PortWriteByte.
int PortWriteChar(u16 c);
// One byte to the LPR request or the port, retried while the port refuses it; 1 written
// (or skipped by the user's "Ignore"), 0 dropped.
int PortWriteByte(u16 c);
// What to do with a printer that refuses bytes: 3 abort, 4 retry, 5 ignore. In a print
// mode the host drives (auto print, printer controller) it retries without asking.
int AskContinuePrinting(int wait);
// Empties what the printer's port still holds, then the pending print line.
void DrainPrinterOutput(int wait);
// The zero-based serial port number of the printer port, -1 when it is not a serial port.
int PrinterPortNumber();
// The held-line thread of the printer's serial port has sent the rest of a job whose
// end left the port open for it (any thread): the port is closed on the user-interface
// thread unless a new job uses it.
void PrinterHeldLineEnded();
void CloseHeldPrinterPort();
