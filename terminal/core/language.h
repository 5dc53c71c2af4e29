// Texts by numeric id: from the bound language module, else from the program's own
// string table.
#pragma once

#include "terminal/core/vxtypes.h"

// Binds a language module. 0 when the user declined to continue without one.
int BindLanguageModule();

// Loads text `id` into `buffer` (capacity in units, always terminated). Returns the
// number of units, 0 when the id is unknown or the capacity is below 1.
int LoadLanguageString(HINSTANCE instance, u32 id, wchar16* buffer, int capacity);
