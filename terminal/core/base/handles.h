// The program's instance and its two windows. The window sets them once at start-up;
// every room that owns a dialog, a message box or a post to the main window reads them.
#pragma once

#include "terminal/core/base/vxtypes.h"

extern HINSTANCE InstanceHandle;
extern HWND MainWindowHandle;
// The child of the main window that shows the terminal.
extern HWND ScreenWindowHandle;

// True on the thread that owns the main window (the user-interface thread). Before the
// main window exists only that thread runs.
bool OnUserInterfaceThread();
// Called on the thread that has just created the main window.
void MarkUserInterfaceThread();
