// What the terminal core uses of the IBM 5250 and 3270 emulations.
#pragma once

#include "terminal/core/base/win32.h"

// True while a 5250 printer window is open or a 3270 session is the 3287 printer: keys
// then go to those windows unfiltered.
bool IbmHostWindowTakesKeys();
// Gives the modeless 5250/3270 dialog its IsDialogMessageW turn; true when consumed.
bool HostDialogTakesMessage(MSG* message);
// The 5250 text-assist mode is on: Alt with its keys edits the text.
bool I5250TextAssistOn();
void CreateHostPrinterWindow(LPARAM record);
void DestroyHostPrinterWindow(LPARAM record);

// The emulations' sections of the profile (IBM5250, IBM3270), read in both load passes.
void I5250SaveSettings();
void I3270SaveSettings();
void I5250LoadSettings();
void I3270LoadSettings();

// The IBM host emulations hold painting of the shared screen while their own screen is
// being rebuilt.
bool IbmHoldsPainting();
