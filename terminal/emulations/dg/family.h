// The DG 410/412 family's registration (emulation 20).
#pragma once

#include "terminal/core/base/family.h"

extern const FamilyHooks DgFamily;

// The emulation's name in the status bar.
const wchar16* DgStatusBarName(u8 id);
