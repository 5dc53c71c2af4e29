// The mouse pointers the program shows, loaded when the main window is made: the wait
// pointer during long work, the arrow, and the pointer over the screen that the
// start-up options choose.
#pragma once

#include "terminal/core/base/win32.h"

extern HCURSOR WaitCursor, ArrowCursor, MouseCursor;
