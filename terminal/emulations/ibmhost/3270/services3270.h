// What the 3270 engine asks of the program around it: painting a span of a display row,
// laying the window out for a new buffer size, and the time.
#pragma once

#include <cstdint>

#include "terminal/emulations/ibmhost/3270/session3270.h"

// Paints columns first..last of a display row (row == rows: the status row).
void PaintHostRow(I3270Session* session, int row, int first, int last);
// The buffer size changed: the shared screen geometry and the window follow it.
void I3270ApplyScreenSize(I3270Session* session);
// Milliseconds of a monotonic clock; a test may replace it.
extern u32 (*I3270TickCount)();
// This instance's session slot among the profile's running instances (0-based).
int I3270SessionSlot();
// The window keys 293-295: close this window, bring the next or previous session of
// the profile to the front.
void I3270WindowKey(int keyCode);

// The 3287's printer through the print back end: a job of its own (false when no
// printer could be opened), its end at once (the 3287 keeps its own end-of-job delay),
// and whether the user cancelled it or it is no longer running.
bool I3287BeginPrinting();
void I3287EndPrinting();
bool I3287PrintingCancelled();
bool I3287PrintingStopped();
// The status log or the printer session changed: the user-interface thread brings the
// status window up to date (makes it for a printer session, removes it otherwise).
void I3287LogChanged();
// WM_APP + 2 and + 3 posted to the main window (user-interface thread).
void I3270PrinterWindowMessage(u32 message, std::intptr_t argument);

// The emulation switch, the host-data thread's turn and the frame (the Win32 side).
void I3270Activate(u8 id);
void I3270Deactivate();
// One turn of the communications loop: keys, received bytes (records arrive through the
// telnet layer), the unlock delay, the idle work; -1 ends the thread.
int I3270CommLoop(int argument);
void I3270UpdateStatusBar(HINSTANCE instance);
// The terminal name in the status bar: the model in data-stream mode, else the NVT name.
void I3270ShowModelName();
void I3270RepaintRegion(int r0, int c0, int r1, int c1);
// The block cursor, drawn by inverting its cell.
void I3270DrawCursor(int argument);
void I3270HideCursor();
void I3270ShowCursor();
void I3270RedrawBlinkingRows();
// The 3270 palette into the terminal palette while a session runs; false when none does.
bool I3270ApplyPalette();
// A key message before the shared key filter: -1 leaves it to the filter, 1 took it, 0
// lets it be translated as usual.
struct tagMSG;
int Ibm3270KeyMessage(tagMSG* message, bool isPress);
// The profile's "IBM3270" section.
void I3270LoadSettings();
void I3270SaveSettings();
