// The printer dialogs of the File menu: Printer Setup (command 1049), which chooses the
// Windows printer, a local port or a network printer (LPR) and the output options, the
// LPD Device Settings it opens for the network printer's queue and job values, and
// Print Screen (command 1040), which asks for the method of one print screen. They act
// on the running profile's PRINTING values while they are open; Cancel puts back what
// they changed, OK keeps it (the profile store saves it).
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kDlgPrinterSetup = 2570;
constexpr int kDlgLpdSettings = 2573;
constexpr int kDlgPrintScreen = 2575;
constexpr INT_PTR kPrinterSetupConfirmed = 1109;

// Opens Printer Setup over the main window; 1109 after OK, 0 after Cancel.
INT_PTR OpenPrinterSetupDialog();
INT_PTR CALLBACK PrinterSetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The network printer's queue, job, user, copies, retries and banner; 1 after OK.
INT_PTR OpenLpdSettingsDialog(HWND owner);
INT_PTR CALLBACK LpdSettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The method of one print screen: kPrintMethodText or kPrintMethodGraphics after OK (the
// method is then PrintMode), 0 after Cancel. A printer that cannot take a picture offers
// text only.
INT_PTR ShowPrintScreenDialog();
// Command 1040: print screen, asking for the method or taking it from the PRINTING
// values. A network printer takes text only.
void PrintScreenCommand(bool askMethod);
INT_PTR CALLBACK PrintScreenDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Checks the method's radio button and enables the controls of that method.
void UpdatePrintScreenControls(HWND dialog, u32 method);
