// What the status bar reads and changes of the other subsystems: the cursor and page,
// the line modes, the printer and auxiliary port states, and the other emulation
// families' own layouts.
#pragma once

#include "terminal/core/base/win32.h"

struct StatusCursor {
    int page, row, column;  // page shown (0 = first), 0-based cursor row and column
};
StatusCursor CurrentStatusCursor();

bool StatusLocalMode();
void SetStatusLocalMode(bool on);
bool StatusInsertMode();
bool StatusLocalEditMode();
bool StatusDecKeyMode();

// Status: the printer reports a status of its own (PrinterStatus, not 0).
enum class StatusPrinterState { None, Status, AutoPrint, Controller, Ready };
StatusPrinterState StatusPrinter();
enum class StatusAuxState { None, InUse, Ready };
StatusAuxState StatusAuxPort();

void FlipHoldScreen();
// Fills with the terminal background (command 1056 of the bar).
void FillStatusBarBackground(HDC dc, const RECT& rect);
