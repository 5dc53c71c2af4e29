// What the 5250 engine asks of the program around it: painting a span of a row, laying
// the window out for a new screen size, and the time.
#pragma once

#include <cstdint>

#include "terminal/emulations/ibmhost/5250/session5250.h"

// Paints columns first..last of a row (row == rows: the status row; the row the shown
// message line covers paints the message line).
void I5250Paint(I5250Session* session, int row, int first, int last);
// The screen size changed: the shared screen geometry and the window follow it.
void I5250ApplyScreenSize(I5250Session* session);
// One row scrolled up in character mode (the cells have moved already).
void I5250ScrollRows(I5250Session* session);
// The ruler's lines: erased (drawn again with XOR) and drawn at the ruler position.
void I5250DrawRuler(I5250Session* session);
// Milliseconds of a monotonic clock; a test may replace it.
extern u32 (*I5250TickCount)();
// Waits the Delay key's time (1,010 ms).
void I5250Delay();

// The printer session's printer through the print back end: a job of its own (false
// when no printer could be opened), its end, its output drained with the printer's
// status code (0 ready, else a Windows error number such as 28, out of paper).
bool I5250BeginPrinting();
void I5250EndPrinting();
i32 I5250DrainPrinter();
// True when the job is no longer running (Cancel Printing ended it).
bool I5250PrintingStopped();
// The status lines changed: the user-interface thread brings the status window up to
// date (makes it for a printer session, removes it otherwise).
void I5250PrinterLogChanged();
// WM_APP + 2 and + 3 posted to the main window (user-interface thread).
void I5250PrinterWindowMessage(u32 message, std::intptr_t argument);

// The emulation switch, the host-data thread's turn and the frame (the Win32 side).
void I5250Activate(u8 id);
void I5250Deactivate();
int I5250CommLoop(int argument);
void I5250UpdateStatusBar(HINSTANCE instance);
// The terminal name in the status bar: the model in data-stream mode, else the NVT name.
void I5250TerminalType();
void I5250RepaintRegion(int r0, int c0, int r1, int c1);
void I5250DrawCursor(int argument);
void I5250HideCursor();
void I5250ShowCursor();
void I5250RedrawBlinkingRows();
bool I5250ApplyPalette();
// A key message before the shared key filter: -1 leaves it to the filter, 1 took it, 0
// lets it be translated as usual.
struct tagMSG;
int Ibm5250KeyMessage(tagMSG* message, bool isPress);
