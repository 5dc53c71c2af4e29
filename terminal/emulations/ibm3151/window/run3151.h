// The IBM 3151 in the running program (the Win32 side): switching it on and off, the
// status bar, painting its rows, and its part of the Setup dialog.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct FamilySetup;

void I3151Activate(u8 id);
void I3151Deactivate();
void I3151LayoutStatusBar(HINSTANCE instance);
void I3151RepaintRegion(int r0, int c0, int r1, int c1);
// The Setup page and the colour apply.
extern const FamilySetup I3151FamilySetup;
