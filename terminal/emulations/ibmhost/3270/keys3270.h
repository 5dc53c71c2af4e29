// The 3270 keyboard: which host key function each special key (key code and shift
// state) performs on the default IBM layout, and when a key may act.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

void I3270KeyFunction(I3270Session* s, int keyCode, u32 shift);
