// The TVI 950 and 955 in the running program (the Win32 side): switching them on and
// off, the status bar and painting their rows.
#pragma once

#include "terminal/core/base/vxtypes.h"

void TviActivate(u8 id);
void TviDeactivate();
void TviReapply(u8 id);
void TviLayoutStatusBar(HINSTANCE instance);
void TviRepaintRegion(int r0, int c0, int r1, int c1);
bool TviApplyPalette();
