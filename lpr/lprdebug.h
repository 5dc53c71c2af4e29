// The modeless "LPR-Debug Output" window that lists what the module does.
#pragma once

#include "terminal/core/base/win32.h"

// Creates the window on the calling thread (which must pump its messages), centred on
// the owner; an existing window is shown and returned instead.
HWND LprStartDebugWindow(HINSTANCE instance, HWND owner);

// Adds a line from any thread. The text is copied and posted: the sender thread never
// waits on the thread that owns the window.
void LprDebugAddLine(const wchar16* text);
