#include "terminal/comms/sockets.h"

int SocketStartup()
{
    return 0;
}
void SocketEvent(WPARAM, LPARAM) {}
void ShowConnectError(i32) {}
bool NetworkConnectionOpen()
{
    return false;
}
bool ConnectingDialogShown()
{
    return false;
}
void NotifyConnectingThreadOfFocus() {}
