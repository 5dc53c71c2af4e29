// The screen window: the child of the main window that shows the terminal. It keeps
// one device context for its whole life.
#pragma once

#include "terminal/core/win32.h"

extern HWND ScreenWindowHandle;

bool RegisterScreenWindowClass(HINSTANCE instance);
HWND CreateScreenWindow(HINSTANCE instance);
LRESULT CALLBACK ScreenWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Shows the scroll bar, status bar and screen window once the main window is shown.
void ShowScreenChildren();
// Screen set-up after the children exist (background, palette, cursor, font, thumb).
void PrepareScreenWindow();
// Lays out the terminal area for a new main window size.
void LayoutTerminalArea(HWND mainWindow);
int CreateScreenPalette();
LRESULT QueryNewPalette(HWND window);
void PaletteChanged(HWND window, HWND changedBy);
