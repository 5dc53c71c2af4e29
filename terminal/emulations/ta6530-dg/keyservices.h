// What the keyboard and the receive filter use of the TA6530 and DG 410/412 emulations.
#pragma once

#include "terminal/core/base/vxtypes.h"

// DG translation of a received byte.
int DgFilterReceivedByte(int mode, int byte);
// The DG and TA6530 keyboards: a key code with its shift state.
void DgKeyHandler(int keyCode, int shift);
void Ta6530Keyboard(int keyCode, int shift);
// The TA6530 "NUM" status field and the repaint of its status row.
void Ta6530ShowNumLockField();
void Ta6530RepaintStatusRow();
