// The user's name as the Save Session As page shows it: the full name of the account
// (NetUserGetInfo of NetAPI32.DLL, bound at run time) when it has one, else the USERNAME
// environment variable. Windows 9x has no accounts: it always takes the variable.
#pragma once

#include "terminal/core/base/win32.h"

// Writes the name into `name` (capacity units, always terminated); its length.
int CurrentUserName(wchar16* name, int capacity);
