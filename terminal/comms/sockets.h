// Windows Sockets, bound at run time, and the connecting thread.
#pragma once

#include "terminal/core/win32.h"

constexpr UINT kMsgSocketEvent = WM_USER + 394;    // wParam socket, lParam event and error
constexpr UINT kMsgConnectFailure = WM_USER + 396; // wParam error code

int SocketStartup();
void SocketEvent(WPARAM socket, LPARAM eventAndError);
void ShowConnectError(i32 code);
bool NetworkConnectionOpen();
bool ConnectingDialogShown();
void NotifyConnectingThreadOfFocus();
