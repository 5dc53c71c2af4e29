// Brings the host path back to its start between tests and between fuzz inputs: the
// reader, the VT character path, the parser, the screen store (freed) and the doubles.
#pragma once

// Every piece of host-path state, the screen store freed.
void ResetHostPath();
// The DEC emulation's settings, modes, renditions, character sets and soft font at
// their factory values (terminal model 8, vt420).
void ResetDecState();
