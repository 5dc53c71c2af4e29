// The screen window: the child of the main window that shows the terminal. It keeps one
// device context for its whole life, into which every painter draws, and turns mouse
// buttons into mouse actions.
#pragma once

#include "terminal/core/base/win32.h"

// Posted to the main window by other threads, which must not resize or re-lay windows
// of the user-interface thread themselves.
constexpr UINT kMsgResizeToRows = WM_APP + 10;  // wParam: the row count
constexpr UINT kMsgRefitScreenFont = WM_APP + 12;

bool RegisterScreenWindowClass(HINSTANCE instance);
HWND CreateScreenWindow(HINSTANCE instance);
// Sizes the screen window to the terminal area and centres it.
void PlaceScreenWindow();
LRESULT CALLBACK ScreenWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Repaints a rectangle of the screen window (null: all of it) from the screen store.
void PaintScreenWindow(HWND window, const RECT* rect);
// Shows the scroll bar, status bar and screen window once the main window is shown.
void ShowScreenChildren();
// Screen set-up after the children exist (scroll range, background, font, thumb).
void PrepareScreenWindow();
// MainWindowSized (uiservices.h) lays out the terminal area after a size change of the
// main window.

// The program's palette and the active emulation's colours in it.
int CreateScreenPalette();
void RealizeScreenPalette(HWND window);
void ApplyEmulationPalette();
LRESULT QueryNewPalette(HWND window);
void PaletteChanged(HWND window, HWND changedBy);
