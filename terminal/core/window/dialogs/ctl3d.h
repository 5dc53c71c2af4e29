// The three-dimensional controls library, bound by ordinal where the system has it.
#pragma once

#include "terminal/core/base/win32.h"

// Registers the instance (ordinal 12) and switches on automatic dialog subclassing
// (ordinal 16). Without the library (64-bit Windows has none) the program goes on.
// Returns true when the library was found and both calls were made.
bool Ctl3dRegister(HINSTANCE instance);
// Clean-up (ordinal 6) from the button tools dialog and at shut-down.
void Ctl3dUnregister(HINSTANCE instance);
