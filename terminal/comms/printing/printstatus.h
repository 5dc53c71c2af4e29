// The printer status: a Windows error number, 0 when the printer is ready. Port writes,
// the spooler check and the serial printer port set it; the printer indicator shows
// its text. The auxiliary port reports its own errors with the same texts.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

extern std::atomic<i32> PrinterStatus;

// Status codes the printer texts name (any other code reads "ErrGen").
constexpr i32 kPrinterReady = 0, kPrinterNotReady = 21, kPrinterNoPaper = 28, kPrinterWriteFault = 29,
              kPrinterGenFailure = 31, kPrinterOffline = 72, kPrinterBusy = 170, kPrinterHeld = 1421;

// The language string of a status code.
u32 PrinterStatusTextId(i32 status);
// The current status's text into the buffer (20 units at most); returns the status.
i32 PrinterStatusText(wchar16* buffer, int size);
// The text of a given code, for errors that are not the printer's own (the aux port).
void PrinterStatusTextOf(i32 status, wchar16* buffer, int size);
// Stores a status; a change refreshes the printer indicator.
void SetPrinterStatus(i32 status);

// Shows the print mode and the printer status in the printer indicator (the status
// bar's printer field); any thread may call it.
void RefreshPrinterStatus();
