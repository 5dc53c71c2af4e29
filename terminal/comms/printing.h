// Emulator-side printing as the host path sees it.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Printer-controller mode: received bytes go to the printer, not the screen.
bool PrinterControllerOn();
// 2 = printer-controller print mode, in which printer-port input goes to the host.
int CurrentPrintMode();
bool PrinterPortOpen();
int PrinterPortReadByte();  // -1 when none
void PrinterControllerFilter(u8 byte);
// A print job is being produced (keys that would send then wait or cancel it).
bool PrintingInProgress();
// Auto print: each line is printed as the cursor leaves it by a line feed.
bool AutoPrintOn();
void PrintCursorLine();
// 1 when a printer can be used (media copy asks first).
int CheckPrinterAvailable();
// Print mode 2 (printer controller), 1 (auto print), 0 (off, the job finished).
void StartPrinterController();
void StartAutoPrint();
void StopPrinting();
// Pass-through printing to the auxiliary port (MC 7 and 6).
void StartPassThroughPrint();
void StopPassThroughPrint();
