// The 3270 keyboard: which host key function each special key (key code and shift
// state) performs on the default IBM layout, and when a key may act.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

// The 3270 keys' names in the key-name table, which the macro editor offers.
constexpr u32 kI3270FirstKeyName = 13343, kI3270LastKeyName = 13418;

void I3270KeyFunction(I3270Session* s, int keyCode, u32 shift);
