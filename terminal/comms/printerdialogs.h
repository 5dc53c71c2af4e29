// The printer dialogs of the File menu: Printer Setup (command 1049), which chooses the
// Windows printer, a local port or a network printer (LPR) and the output options, and
// the LPD Device Settings it opens for the network printer's queue and job values. Both
// act on the running profile's PRINTING values while they are open; Cancel puts every
// value back as it was, OK keeps them (the profile store saves them).
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kDlgPrinterSetup = 2570;
constexpr int kDlgLpdSettings = 2573;
constexpr INT_PTR kPrinterSetupConfirmed = 1109;

// Opens Printer Setup over the main window; 1109 after OK, 0 after Cancel.
INT_PTR OpenPrinterSetupDialog();
INT_PTR CALLBACK PrinterSetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The network printer's queue, job, user, copies, retries and banner; 1 after OK.
INT_PTR OpenLpdSettingsDialog(HWND owner);
INT_PTR CALLBACK LpdSettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
