// The HP 700/92's keys: the key dispatcher's entry and the keyboard's state.
#pragma once

#include "terminal/core/base/vxtypes.h"

// One special key with its shift state (the family's dispatchKey).
void Hp700DispatchKey(int keyCode, int shift);
// The keyboard state released (menu switches, deactivation).
void Hp700ReleaseKeyboard();
