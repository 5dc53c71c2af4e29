// The 5250 keyboard: which host key function each special key (key code and shift
// state) performs on the default IBM layout, and when a key may act.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// The 5250 keys' names in the key-name table, which the macro editor offers.
constexpr u32 kI5250FirstKeyName = 13551, kI5250LastKeyName = 13643;

void I5250KeyFunction(I5250Session* s, int keyCode, u32 shift);
// The keys that act before the keyboard lock is looked at; true when the key was one.
bool I5250KeyFunctionAlways(I5250Session* s, int keyCode, u32 shift);
// The session's turn at the key events: keys and typed characters until none is left.
// While the keyboard is locked they wait on the deferred stack (the keys that act
// whatever the lock still do), and the first turn after it unlocked replays them.
// True when there was an event.
bool I5250HandleKeyEvents(I5250Session* s);
