// What the whole wizard run shares: the registry, the working copy of the connection,
// the desktop-icon choice and the run's exit code; and the save that Finish and Apply
// both make.
#pragma once

#include "wizard/app/win32registry.h"
#include "wizard/engine/settings.h"

struct WizardApp {
    Win32Registry registry;
    WizardSettings settings;
    bool keepMacros = false;  // -M: the registration's properties command carries it too
    bool administrator = true;
    bool desktopIcon = false;
    bool printerVariablesRead = false;  // the 5250 printer variables are read once a run
    u32 osCode = 0;
    int exitCode = 0;
};

WizardApp& App();

// Unregisters the starting name, moves a renamed profile, registers the connection (with
// its shortcut when the icon is chosen) and writes the profile.
void SaveConnection();
// The name as the user typed it is refused: shows why; true when it may be used.
bool AcceptConnectionName(HWND owner, const WText& name);
// Asks before a new (or renamed) connection replaces a stored one; true to go on.
bool ConfirmReplaceConnection(HWND owner, const WText& name);
