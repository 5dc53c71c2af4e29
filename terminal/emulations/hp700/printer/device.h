// The HP 700/92's device control: ESC & p, copies to the printer, logging, Record Mode
// and the transparent write. Output goes to the program's one print job, opened when a
// command first needs it and finished when the command (or logging, or Record Mode)
// ends; a command that finds no printer answers "F".
#pragma once

#include "terminal/emulations/hp700/hp700.h"

// ESC & p with its parsed groups.
void Hp700DeviceControl(const Hp700GroupParameters& groups);
// One device command by its letter (upper case) and value, as ESC & p gives it; a soft
// key's command (`fromKey`) gets no completion reply.
void Hp700DeviceCommand(u8 letter, int value, bool fromKey);
// ESC 0 and Copy All.
void Hp700CopyAll();
// Logging as a line feed leaves memory line `line` (Log Bottom) or loses it (Log Top).
void Hp700LogLine(int line);
// Record Mode and the transparent write take received bytes: true when `b` was taken.
bool Hp700PrinterTakesByte(u8 b);
// Logging, Record Mode and a transparent write end, and the job open for them is
// finished (soft reset, and the emulation's stop).
void Hp700PrinterReset();

// The printed form of a memory line: every cell up to the last non-blank one, then CR
// LF. Exposed for the tests.
int Hp700PrintedLine(const HpLine& line, u8* out, int capacity);
