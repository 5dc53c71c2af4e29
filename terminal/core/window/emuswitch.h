// Switching between the 24 emulations, always carried out on the user-interface thread
// while the host-data thread is parked at its switch gate, and the clear-screen command
// that goes to the family that runs.
#pragma once

#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/vxtypes.h"

// The switch. (id, id) stops that emulation and keeps the host-data thread held until a
// later switch starts one; (0xFF, id) starts one without stopping any. An id no family
// of this build runs (or an id above 23) starts VT500 7-Bit instead, so the reader
// always has an emulation to feed. Returns 1.
int SelectEmulation(u8 from, u8 to);

// Stops the running emulation's family by switching to VT500 7-Bit (shut-down, factory
// default and profile loads).
void StopActiveEmulation();

// The clear-screen command: the running family's clear, or the shared store's when the
// family has none. An emulation id whose family does not run clears nothing.
void ClearEmulationScreen();
