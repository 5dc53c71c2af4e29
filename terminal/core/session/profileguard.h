// The profile a load is about to read: it must exist before its sections are read.
#pragma once

#include "terminal/core/base/vxtypes.h"

// True when the named profile exists under either root. While a profile load is in
// progress the live colours first return to their factory values and the name becomes
// the current profile; a missing profile is then created (and true returned).
bool EnsureProfileForLoad(const wchar16* name);
