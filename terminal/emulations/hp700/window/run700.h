// The HP 700/92 in the running program (the Win32 side): switching it on and off, its
// status bar, its palette, painting its window and label rows.
#pragma once

#include "terminal/core/base/vxtypes.h"

void Hp700Activate(u8 id);
void Hp700Deactivate();
void Hp700LayoutStatusBar(HINSTANCE instance);
void Hp700RepaintRegion(int r0, int c0, int r1, int c1);
// The HP palette (hue, lightness, saturation of the 16 entries) into the terminal's.
bool Hp700ApplyPalette();
