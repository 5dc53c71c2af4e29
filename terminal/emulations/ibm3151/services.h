// What the IBM 3151's engine asks of the program around it: the window following the
// screen's size, and the status bar's fields. The program implements them with the
// window and the bar; the engine tests record them (tests/support).
#pragma once

#include "terminal/core/base/vxtypes.h"

// The rows or columns changed: the window shows the pages and the status row.
void I3151ScreenSizeChanged();
// A field of the status bar shows `text` (the bar's field ids are the texts' string
// ids); nothing when there is no bar.
void I3151SetStatusField(u32 id, const wchar16* text);
