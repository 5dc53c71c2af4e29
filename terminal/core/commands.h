// Command ids of the menus, toolbar and soft buttons, the menu bar and the command
// handler of the main window.
#pragma once

#include "terminal/core/win32.h"

constexpr UINT kCmdAbout = 1000;
constexpr UINT kCmdExit = 1008;
constexpr UINT kCmdHostClosed = 1062;
constexpr UINT kCmdSave = 1011;
constexpr UINT kCmdConnect = 1089;

// The menu bar built from language strings; nullptr when it cannot be built.
HMENU BuildMenus(HWND window);
LRESULT MainCommand(HWND window, WPARAM wParam, LPARAM lParam);
void UpdateConnectionMenuItems();
// Timer 1089: a TCP/IP target given at start waits for it before connecting.
void ConnectionRetryTimer(HWND window);
// Command 1089 by its start mode: 0 connect, 1 New Connection page, 2 Open Session page.
void StartConnection(HWND window, u32 startMode);
