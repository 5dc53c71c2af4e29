// Capture of host data into files and replay of captured files, as the host path, the
// telnet engine and the DEC capture sequence see them. The files themselves are the
// platform's (comms/capture/capture.cpp); engines reach them only through these.
#pragma once

#include "terminal/core/base/vxtypes.h"

// ---- Replay ----
bool ReplayFileOpen();
// The next replay byte, or -1 when none is ready (or output is held).
int ReplayNextByte();
// Up to `capacity` bytes of the replay file (the telnet engine replays into a 3270 or
// 5250 session block by block); 0 at the end of the file or on an error.
int ReplayReadBlock(u8* buffer, int capacity);
// The replay goes to the host (else to the emulation).
bool ReplayTargetHost();
void StopReplay();
// The step prompt between replayed records: IDABORT 3 ends the replay, IDRETRY 4 goes
// to the next record, IDIGNORE 5 runs on without asking.
int AskReplayStep();

// ---- Capture ----
bool CaptureFileOpen();
// Diverting capture: host data goes to the file instead of the screen.
bool CaptureDiverting();
bool CaptureDebugMode();
// In debug mode the telnet layer captures the raw stream itself.
bool TelnetRawCaptureActive();
void AppendCaptureByte(u8 byte);
// ESC, CAN, SUB or ST ends a diverting capture.
void EndDivertingCapture();
// What the socket delivered, before telnet processing (debug mode).
void CaptureReceivedBlock(const u8* bytes, int count);
// What went to the host: in two-way debug capture it is written between a line
// "*SEND*" and a line "*RECV*".
void CaptureSentBlock(const u8* bytes, int count);
// The host's capture sequence: `mode` 0 a new file, 1 append; `name` the file name the
// host gave (8-bit). True when the capture runs: what follows goes to the file until
// ESC, CAN, SUB or ST.
bool StartHostCapture(int mode, const u8* name, int length);
// The ANSI consoles' capture control: the same names, but the data keeps reaching the
// screen while it is captured. True when the file is open.
bool OpenHostCaptureFile(int mode, const u8* name, int length);
