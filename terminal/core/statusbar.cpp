#include "terminal/core/statusbar.h"

void CreateStatusBar(HINSTANCE, HWND) {}
void ShowStatusBarWindow() {}
int StatusBarHeight()
{
    return 0;
}
