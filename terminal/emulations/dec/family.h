// The DEC VT family's registration: VT52, VT100, VT500 7-bit and 8-bit.
#pragma once

#include "terminal/core/base/family.h"

extern const FamilyHooks DecFamily;
