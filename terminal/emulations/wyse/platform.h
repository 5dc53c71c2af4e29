// What the Wyse family's engine asks of its Win32 side: painting the rows, the status
// bar, the profile section, and the frame's commands that must hold the host-data
// thread. The engine tests link recording doubles of them.
#pragma once

#include <string>

#include "terminal/core/base/vxtypes.h"

// Paints rows r0..r1, columns c0..c1 of the Wyse screen into the frame's picture.
void WysePaintRegion(int r0, int c0, int r1, int c1);
// The profile's colour palette and its "ZARA" section in the passes of a profile load
// (machine-wide, then the user's).
void LoadWyseProfile();
// The status bar's fields for the personality.
void WyseLayoutStatusBar(HINSTANCE instance);
// The frame's Clear Screen: the host-data thread is held while the screen is cleared.
void WyseClearScreenCommand();
// Direct printing to a port, asked by the host: `port` (null: the port the printing
// settings name) becomes the printing's port when the machine has it; otherwise direct
// port printing is turned off.
void WyseDirectPortPrinting(const wchar16* port);
// The width in pixels of a cell of a double-width line.
int WyseDoubleCellWidth();
