// The profile store: a profile ("Session" on screen) is the key
// {base}\Profiles\{profile} with one subkey per section. A save writes only values
// that differ from their factory values; a load reads the machine-wide copy, then the
// per-user one (registry.h), so an unwritten value reads back as its default. The
// session loads and saves the whole profile (core/session/sessionprofile.h).
#pragma once

#include "terminal/core/base/vxtypes.h"

// The profile in use (133 units, in the core's string slots).
wchar16* CurrentProfileName();
// Set while live settings are rebuilt from factory values and a profile reloaded.
bool FullReloadInProgress();
