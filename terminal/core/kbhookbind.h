// Binding of the keyboard hook module, which keeps Num Lock steady while the terminal
// has the keyboard.
#pragma once

#include "terminal/core/vxtypes.h"

void BindKeyboardHook();
// Focus loss switches the protection off and marks it to be re-armed on focus gain.
void SuspendNumLockProtection();
void RearmNumLockProtection();
u32 SetPreventNumLockToggle(u32 on);
void FreeKeyboardHook();
