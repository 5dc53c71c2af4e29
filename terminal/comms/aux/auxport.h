// The auxiliary printer port: pass-through printing sends the host's bytes, as they
// arrive, to a COM port, a parallel port or another device instead of the screen, and
// input from a serial aux port goes to the host.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Media copy 7 and 6: pass-through on (the port opens; it stays off when the port
// cannot) and off (a serial port's waiting bytes are sent first, then it closes).
void StartPassThroughPrint();
void StopPassThroughPrint();
bool PassThroughActive();
// The host path: the aux port is open for input (an end of pass-through asked for by
// another thread is carried out here, on the host-data thread).
bool AuxPortOpen();
int AuxPortReadByte();  // -1 when none
// One received byte while pass-through is on: to the port, the closing sequence
// watched for (PassThroughPrinterChar).
void AuxPortFilter(u8 byte);

// Opens the configured Port; false (pass-through stays off) when it is not listed, is
// the host's or the printer's serial port, or cannot be opened.
bool OpenAuxPort();
// `keepOutput`: a serial port's driver keeps what it has not sent yet (a drained port).
void CloseAuxPort(bool keepOutput = false);
// The last write status: 0, a Windows error, 21 while a serial aux line is held, 1421
// while its ring is blocked.
i32 AuxPortStatus();

// The held-line thread of a serial aux port: its status while held, its question
// (the MessageBoxW answer), and the end of pass-through after Abort.
constexpr i32 kAuxStatusHeld = 21;
void SetAuxHeldStatus(bool held);
int AskAuxContinue(i32 status);
void RequestAuxPassThroughEnd();
