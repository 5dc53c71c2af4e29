#include "terminal/core/commands.h"

#include "terminal/core/hostthread.h"

HMENU BuildMenus(HWND)
{
    return CreateMenu();
}

LRESULT MainCommand(HWND window, WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case kCmdExit:
        PostMessageW(window, WM_CLOSE, 0, 0);
        break;
    case kCmdConnect:
        StartHostDataThread();
        break;
    }
    return 0;
}

void UpdateConnectionMenuItems() {}

void ConnectionRetryTimer(HWND window)
{
    KillTimer(window, kCmdConnect);
}
