// The release of every resource when the program ends, and stopping the running
// emulation (shut-down, factory default and profile loads).
#pragma once

// Releases everything; 1 done, 0 when the user refused to close.
int ShutdownTerminal(int warnOnExit);
// Stops the running emulation's family by switching to VT500 7-Bit.
void StopActiveEmulation();
