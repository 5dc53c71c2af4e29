// Reading a stored profile into the working copy and writing it back as the terminal
// reads it: the full writer (a value equal to its default is not written), the
// per-user writer (only what differs from the machine profile), the login script, the
// TN5250 NEW-ENVIRON variables, the copy made for a rename and the deletion.
#pragma once

#include "wizard/engine/registrystore.h"
#include "wizard/engine/settings.h"

// The machine pass reads HKEY_LOCAL_MACHINE, records what differs from the initial
// values and marks the copy as a stored connection; the user pass reads
// HKEY_CURRENT_USER over it. An absent value keeps the field.
void WizardReadProfile(RegistryStore& reg, WizardSettings& s, bool machinePass);
// The TN5250 NEW-ENVIRON variables alone, machine scope then user scope, for the
// device type the connection has now.
void WizardReadEnvironment(RegistryStore& reg, WizardSettings& s);
// Sets `changed` for every value that differs from the machine profile's (its stored
// value or the factory default).
void CompareWithMachineProfile(RegistryStore& reg, WizardSettings& s);

// The save: per-user overrides for a user editing, else the full profile under the
// scope's root. `buildStamp` goes under the wizard's own key (full writer only).
void WizardWriteProfile(RegistryStore& reg, WizardSettings& s, u32 buildStamp);
void WriteFullProfile(RegistryStore& reg, WizardSettings& s, u32 buildStamp);
void WriteUserOverrides(RegistryStore& reg, WizardSettings& s);
// "Build" under the wizard's key, written only when it differs.
void WriteBuildStamp(RegistryStore& reg, u32 stamp);

// The profile of `from` copied whole under `to`. False when `from` has no profile.
bool CopyProfile(RegistryStore& reg, RegRoot root, const WText& to, const WText& from);
// The profile's keys: the whole tree, or every subkey but "MACROS". Refuses an empty
// name, which would name every profile.
bool DeleteProfileKeys(RegistryStore& reg, RegRoot root, const WText& name, bool whole);
// The login script's values and the profile; refuses an empty name.
bool DeleteProfile(RegistryStore& reg, RegRoot root, const WText& name, bool whole);
// Only the login script's values of "Startup,<name>", which is also the terminal's
// start-up options key of that set; the key goes when nothing else is left in it.
void DeleteLoginScript(RegistryStore& reg, RegRoot root, const WText& name);

// Whether a connection of this name is stored (a profile in either root or a
// registration), the registry comparing names without case.
bool ConnectionExists(RegistryStore& reg, const WText& name);
