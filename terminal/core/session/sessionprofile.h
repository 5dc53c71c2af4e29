// The session's profile: every room's settings loaded from the current profile and
// saved to it, section by section (the profile store is settings/store).
#pragma once

// Saves the current profile under the root it lives in. The sections of emulations
// that are not running are kept: some emulations write their section only while they
// run, and a save from another emulation must not erase what they stored.
void SaveProfile();
void SaveSessionProfile();
// Loads the current profile in one pass (an administrator's machine-wide profile) or
// two, then applies the colours.
void LoadProfile();
// The terminal initialisation's step: loads the current profile, factory values where
// it stores nothing. In a full reload the session first returns to factory values, the
// profile's root is decided again and a missing profile is created. 1 when the profile
// is stored.
int ReloadCurrentProfile();

// The first step of a full reload: the live session back to factory values, so that a
// section the profile does not save keeps factory values rather than running ones.
void ResetSessionDefaults();

// SAVEDITEMS, COLOURS, WINDOW and CONNECTION, then the key definitions.
void SaveProfileSettings();
void LoadProfileSettings();
// PRINTING, AUX, every emulation's own section and VT300 with its user-defined keys.
void SaveTerminalSettings();
void LoadTerminalSettings();
