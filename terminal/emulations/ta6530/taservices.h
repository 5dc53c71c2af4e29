// What the TA6530 engine asks of the program around it beyond the core's services:
// the host serial line's settings applied again, and printing its own lines. The
// Win32 side is taplatform.cpp; the engine tests link recording doubles.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct ScreenCell;

// The host serial port (when one is open) takes the profile's line settings again with
// XON 17 and XOFF 19, and this flow-control setting.
void TaReapplyLine(u32 flowControl);
// Printing: a print screen or print buffer of `lines` lines begins (false: no printer);
// one line (80 cells, 0-ended when shorter) goes to the running job, `next` the step
// after it; a line printed at once (auto print).
bool TaStartPrintRun();
void TaPrintRunLine(const ScreenCell* cells, u32 next);
void TaEndPrintRun();
void TaPrintLineNow(const ScreenCell* cells);
// The profile's "TA6530" section read into TaProfileSettings (the load pass decides what
// an absent value gives); the whole profile saved (ESC v O1).
void TaReadSettingsSection();
void TaSaveProfileNow();
