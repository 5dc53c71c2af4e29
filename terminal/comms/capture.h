// Capture of host data into files and replay of captured files, as the host path
// sees them.
#pragma once

#include "terminal/core/base/vxtypes.h"

bool ReplayFileOpen();
// The next replay byte, or -1 when none is ready (or output is held).
int ReplayNextByte();

bool CaptureFileOpen();
// Diverting capture: host data goes to the file instead of the screen.
bool CaptureDiverting();
bool CaptureDebugMode();
// In debug mode the telnet layer captures the raw stream itself.
bool TelnetRawCaptureActive();
void AppendCaptureByte(u8 byte);
// ESC, CAN, SUB or ST ends a diverting capture.
void EndDivertingCapture();
