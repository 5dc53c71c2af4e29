// What the terminal core uses of the DEC VT and ANSI emulations.
#pragma once

#include "terminal/core/vxtypes.h"

// The VT420-class view mode kept by the VT emulation (2 = the wheel does nothing).
int Vt420ViewMode();
