// What another thread asks of the user-interface thread: wParam the request, lParam its
// argument. Worker threads post it; they never set timers on or send to its windows.
#pragma once

#include "terminal/core/base/win32.h"

constexpr UINT kMsgUiRequest = WM_APP + 20;
constexpr WPARAM kUiUpdateTitle = 1, kUiLockKeyboard = 2, kUiUpdateConnectionMenu = 4, kUiClearSelection = 8,
                 kUiSerialBreak = 16, kUiUpdateCaptureMenus = 32, kUiPrintWindows = 64, kUiHostTitle = 128,
                 kUiViewPanned = 256;

// Posts a request to the main window for HandleUiRequest; false when there is no
// window or the post failed.
bool PostUiRequest(WPARAM request, LPARAM argument);
// Carries out a request posted with kMsgUiRequest.
void HandleUiRequest(WPARAM request, LPARAM argument);
