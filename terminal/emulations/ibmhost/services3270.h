// What the 3270 engine asks of the program around it: painting a span of a display row,
// laying the window out for a new buffer size, and the time.
#pragma once

#include "terminal/emulations/ibmhost/session3270.h"

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
