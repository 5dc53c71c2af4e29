#include "terminal/core/commands.h"

#include "terminal/comms/connsettings.h"
#include "terminal/comms/netsession.h"
#include "terminal/core/dialogs.h"
#include "terminal/core/hostthread.h"
#include "terminal/core/instances.h"

HMENU BuildMenus(HWND)
{
    return CreateMenu();
}

LRESULT MainCommand(HWND window, WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case kCmdAbout:
        ShowAboutBox(window);
        break;
    case kCmdHostClosed:
        ShowHostClosedDialog(window);
        break;
    case kCmdExit:
        PostMessageW(window, WM_CLOSE, 0, 0);
        break;
    case kCmdSave:
        SaveCurrentSession();
        break;
    case kCmdConnect:
        StartConnection(window, HIWORD(wParam));
        break;
    }
    return 0;
}

void UpdateConnectionMenuItems() {}

void ConnectionRetryTimer(HWND window)
{
    u32 waiting = 1;
    ConnectionStartState.compare_exchange_strong(waiting, 2);
    KillTimer(window, kCmdConnect);
}

// Command 1089: a TCP/IP target given at start connects after timer 1089; a profile
// whose transport is telnet connects at once; the host-data thread makes the connection.
void StartConnection(HWND window, u32 startMode)
{
    ApplyStartupConnectionOptions();
    LoadTelnetSettings();
    if (startMode == 0) {
        if (ConnectionStartState == 1)
            SetTimer(window, kCmdConnect, 750, nullptr);
        else if (Connection.netname[0] && Connection.netproto == 0 && !Connection.noConnection)
            ConnectionStartState = 2;
        UpdateConnectionMenuItems();
    } else {
        ConnectionStartState = 0;
        if (startMode == 1)
            PostMessageW(window, WM_COMMAND, 1015, 0);
        else if (startMode == 2)
            PostMessageW(window, WM_COMMAND, 1019, 0);
    }
    StartHostDataThread();
}

#include "terminal/comms/telnetservices.h"
#include "terminal/core/mainwindow.h"

void PostExitCommand()
{
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_COMMAND, kCmdExit, 0);
}
