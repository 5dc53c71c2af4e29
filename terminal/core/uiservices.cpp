#include "terminal/core/uiservices.h"

#include "terminal/comms/sockets.h"
#include "terminal/core/mainwindow.h"

void PostMainCommand(u32 commandId)
{
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_COMMAND, commandId, 0);
}

void PostConnectionRefresh()
{
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, kMsgConnectFailure, 0, 0);  // 0: no failure, refresh only
}
