// The HP 700/92's device control: ESC & p, copies to the printer, logging, Record Mode
// and the transparent write.
#pragma once

#include "terminal/emulations/hp700/hp700.h"

// ESC & p with its parsed groups.
void Hp700DeviceControl(const Hp700GroupParameters& groups);
// ESC 0 and Copy All.
void Hp700CopyAll();
// Logging as a line feed leaves memory line `line` (Log Bottom) or loses it (Log Top).
void Hp700LogLine(int line);
// Record Mode and the transparent write take received bytes: true when `b` was taken.
bool Hp700PrinterTakesByte(u8 b);
