// Starting and stopping the HP 700/92, and its resets.
#pragma once

// The engine's part of switching the emulation on: buffers, the settings, display
// memory for the stored page count, the power-on state. False when memory ran out
// (nothing is left allocated).
bool Hp700StartEngine();
void Hp700StopEngine();
// The power-on values of the modes, margins, menus and cursor (memory untouched).
void Hp700InitState();
// ESC E: factory values, the profile read again, memory cleared, then as ESC g.
void Hp700HardReset();
// ESC g: Record Mode, logging and Display Functions off, DC1 to the host without
// ENQ/ACK pacing, the bell.
void Hp700SoftReset();
// Clear Screen: home up and memory cleared.
void Hp700ClearScreen();
