// The status bar below the screen, laid out by each emulation.
#pragma once

#include "terminal/core/win32.h"

void CreateStatusBar(HINSTANCE instance, HWND mainWindow);
void ShowStatusBarWindow();
int StatusBarHeight();
