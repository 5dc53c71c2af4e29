#include "terminal/core/statusbar.h"

void CreateStatusBar(HINSTANCE, HWND) {}
void ShowStatusBarWindow() {}
int StatusBarHeight()
{
    return 0;
}

#include "terminal/comms/telnetservices.h"

// The status bar has no connection indicator yet.
void StatusBarSetLinkState(int) {}
