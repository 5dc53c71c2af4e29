// Starting and stopping the IBM 3151, and its resets.
#pragma once

// The engine's part of switching the emulation on: state, pages, the defaults chain
// and the profile, the saved format. False when memory ran out (nothing is left
// allocated).
bool I3151StartEngine();
void I3151StopEngine();
// From the colours on: factory and default set-control bytes, the PF keys cleared, the
// profile loaded and unpacked, the pages' attributes, fields and toggles to their start.
void I3151DefaultsChain();
// ESC SP S and Reset Terminal: the defaults chain again, every page blank and home.
void I3151HardReset();
