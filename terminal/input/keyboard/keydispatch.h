// The key dispatcher: one special key (a key code with its shift state 0-7) to the
// running family's keyboard (FamilyHooks::dispatchKey).
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// The shift state of the special key being dispatched (0 while a typed unit is fetched).
extern std::atomic<u32> DispatchShiftState;

// Does nothing while typed units wait on the keyboard input stack.
void DispatchKey(int keyCode, int shift);
