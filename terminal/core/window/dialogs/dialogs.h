// Small dialogs of the terminal program: the About box, the confirmation asked before
// the program closes while a network connection is open, the confirmation that the
// current session will be closed, and the dialog shown when the host has closed the
// connection. Their templates carry only layout and control ids; every text comes from
// the language module.
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kDlgAbout = 2550;
constexpr int kDlgConfirmExit = 2601;
constexpr int kDlgConfirmSessionClose = 2602;
constexpr int kDlgHostClosed = 2510;

constexpr int kCtlAboutDescription = 10108;
constexpr int kCtlAboutVersion = 10109;
constexpr int kCtlAboutNotice = 10132;
constexpr int kCtlExitQuestion = 10114;
constexpr int kCtlSessionCloseText = 10128;
constexpr int kCtlReconnect = 1128;
constexpr int kCtlHostClosedText = 1129;
constexpr int kCtlExitProgram = 1131;

// 1 go ahead, 0 stay: asks only while warn-on-exit is set and a network connection is
// open.
bool ConfirmClose(u32 warnOnExit);
// The palette messages a dialog answers (WM_QUERYNEWPALETTE, WM_PALETTECHANGED from
// another window): the program's palette realised, the dialog repainted. True when the
// message was one of them.
bool HandleDialogPalette(HWND dialog, UINT message, WPARAM wParam);
// Command 1000 and command 1062; the result of the dialog.
INT_PTR ShowAboutBox(HWND owner);
INT_PTR ShowHostClosedDialog(HWND owner);
// Asked by the Setup dialog before it closes the session: 1 OK, 0 Cancel.
INT_PTR ConfirmSessionClose(HWND owner);

// The version line: " Version 1.6.1 (Windows 2000 - [x86]) Build A4CBC" for code 34.
// Empty when the version texts are missing.
void FormatVersionLine(wchar_t* text, int capacity, i32 osVersionCode);
const wchar_t* OsVersionSuffix(i32 osVersionCode);

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ConfirmExitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ConfirmSessionCloseProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HostClosedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
