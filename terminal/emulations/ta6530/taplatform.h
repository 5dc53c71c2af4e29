// The Win32 side of the TA6530 (the engine tests link recording doubles): the switch
// and the status bar, the palette, painting and the cursor, the profile section.
#pragma once

#include "terminal/core/base/vxtypes.h"

void Ta6530Activate(u8 id);
void Ta6530Deactivate();
void Ta6530LayoutStatusBar(HINSTANCE instance);
bool TaApplyPalette();
void TaSaveSettings();
// Display hooks: repaint rows r0..r1 (24 the status row) from the store, inside a frame.
void TaRepaintRegion(int r0, int c0, int r1, int c1);
void TaDrawCursor(int argument);
void TaHideCursor();
void TaShowCursor();
