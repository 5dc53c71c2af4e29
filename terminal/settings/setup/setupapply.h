// Carrying the Setup working copy into the live settings after a page closed with OK,
// in a fixed order: the serial line, the screen geometry, character sets, the on-line
// state and the emulation, then the plain settings and the session's, and last the
// re-layout the changes need. Cancel never gets here: nothing live changes.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Fills the whole working copy from the live settings.
void FillSetupCopy();
// The apply, with ApplySetupTerminal and ApplySetupSession inside.
void ApplySetupCopy();
void ApplySetupTerminal();
void ApplySetupSession();
// The serial line part; also the Serial page's OK.
void StoreSerialSetup();
// Lays the terminal out again when the apply changed fonts, sizes or rows; clears both.
void RelayoutTerminal(u16& settingsChanged, u16& rowsChanged);

// The New Connection page's Connect: recorded by the page, carried out after the apply.
extern bool SetupConnectPending;
void ConnectFromSetup();
