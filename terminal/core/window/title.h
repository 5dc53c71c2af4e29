// The window title from the title text, subtitle, profile and connection.
#pragma once

#include "terminal/core/base/win32.h"

// Safe from any thread: off the user-interface thread it is posted.
void UpdateWindowTitle(HWND window);
