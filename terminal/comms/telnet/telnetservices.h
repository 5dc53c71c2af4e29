// Services of the terminal core that the telnet engine calls; the engine reaches the
// user interface only through these (and the message boxes of messagebox.h).
#pragma once

#include "terminal/core/base/vxtypes.h"

// Connection indicator of the status bar: 0 offline, 1 idle, 2 active, 3 connecting.
void StatusBarSetLinkState(int state);
// Posts the Exit command to the main window (after an allocation failure).
void PostExitCommand();
