// The byte source and sinks every emulation uses: HostReceiveByte takes one received
// byte from the connection, the send routines apply the C1 and 7-bit rules and write to
// the network or the serial port (or hand the bytes back in local mode).
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// One received byte 0..255, or -1 when none is available. A connection closed by the
// host is handled inside (the on-close action) and also gives -1.
int HostReceiveByte();

// One character with the C1 and 7-bit rules.
void HostSendChar(u16 c);
void HostSendRawByte(u8 b);
// n units with the C1 and 7-bit rules as one block, or queued for local processing.
void HostSendString(const u16* units, int n);
// n units as one block; the low byte of each is the byte on the line.
void HostSendBlock(const u16* units, int n);

bool IsKeyboardInhibited();
bool IsKeyboardInputPending();

// The bell is only requested here; the idle step on the user-interface side rings it.
void RequestBell();
extern std::atomic<u8> BellPending;
