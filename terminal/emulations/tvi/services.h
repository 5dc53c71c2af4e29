// What the TVI engine asks of the program around it: the window following the screen's
// width, and the status bar's fields. The program implements them with the window and
// the bar; the engine tests record them (tests/support).
#pragma once

#include "terminal/core/base/vxtypes.h"

// The columns changed: the window shows the new width.
void TviScreenSizeChanged();
// A field of the status bar shows `text` (the bar's field ids are the texts' string ids);
// nothing when there is no bar.
void TviSetStatusField(u32 id, const wchar16* text);
// The insert field of the status bar: "Insert Mode" or "Overstrike Mode".
void TviShowInsertField(bool insert);
