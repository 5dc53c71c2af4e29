// The main window: creation with its children, the post-creation initialisation of the
// terminal, and the window procedure that is the user-interface thread's switchboard.
#pragma once

#include "terminal/core/base/win32.h"

extern UINT WheelRollMessage;

int CreateMainWindow(HINSTANCE instance, HINSTANCE previous, int showCommand);
ATOM RegisterMainClass(UINT style, HINSTANCE instance, WNDPROC procedure, const wchar_t* className,
                       const wchar_t* iconName);
DWORD MainWindowStyle();
int InitMainWindow(HINSTANCE previous, HINSTANCE instance, HWND window);
int RegisterScreenClass(HINSTANCE previous, HINSTANCE instance, HWND window);
int InitTerminalResources(HWND window);
void CloseGateEvents();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT MainSysCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int MainSetFocus(HWND window, HWND previous);
int MainKillFocus(HWND window, HWND next);
void MouseWheel(WPARAM wParam);
