// Windows Sockets, bound at run time, and the connecting thread.
#pragma once

#include <string>

#include "terminal/core/base/win32.h"

constexpr UINT kMsgSocketEvent = WM_USER + 394;     // wParam socket, lParam event and error
constexpr UINT kMsgConnectFailure = WM_USER + 396;  // wParam error code (0: refresh only)

// Loads WS2_32.DLL, else WSOCK32.DLL, and resolves all 19 entry points; nullptr when
// the library or any entry point is missing.
HMODULE BindSocketLibrary();
int SocketStartup();
void SocketCleanup();
// A connecting socket, or minus the error (-14 no library, -10092 start-up failure).
int OpenTcpConnection(const wchar16* host);
void SocketEvent(WPARAM socket, LPARAM eventAndError);
// Signalled when data or the close arrives on the open connection; null without one.
HANDLE SocketReadEvent();
void ShowConnectError(i32 code);
bool NetworkConnectionOpen();
// True once the connection was closed: reads give nothing and writes are dropped.
bool NetworkClosed();
bool ConnectingDialogShown();
void NotifyConnectingThreadOfFocus();
