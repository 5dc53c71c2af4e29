// Writing display characters and attribute cells into a TA6530 page.
#pragma once

#include "terminal/emulations/ta6530/tastate.h"

// A display byte (the shift-out bit already applied) at the current address, by the
// rules of the mode and of the byte's source.
void TaWriteChar(u8 byte);
// An attribute cell (field start when `video` has 0x40) at the current address; the
// address moves on.
void TaWriteAttribute(u8 video, u8 data, u8 colour);
// FS: a field from the fixed (code with 0x40) or the settable table.
void TaStartFieldByCode(u8 code);
// The command error: character 127 at the current address.
void TaCommandError();
// The national replacement of a received display byte.
u8 TaMapNational(u8 byte);
