// The auxiliary printer port as the host path sees it: pass-through printing sends
// received bytes to the port, and input from the port goes to the host.
#pragma once

#include "terminal/core/base/vxtypes.h"

bool PassThroughActive();
bool AuxPortOpen();
int AuxPortReadByte();  // -1 when none
// Passes one received byte to the port while watching for the closing sequence.
void AuxPortFilter(u8 byte);

// The held-line thread of a serial aux port: its status while held, its question
// (the MessageBoxW answer), and the end of pass-through after Abort.
constexpr i32 kAuxStatusHeld = 21;
void SetAuxHeldStatus(bool held);
int AskAuxContinue(i32 status);
void RequestAuxPassThroughEnd();
