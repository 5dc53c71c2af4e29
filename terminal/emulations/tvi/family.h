// The TVI 950 and 955's registration.
#pragma once

#include "terminal/core/base/family.h"

extern const FamilyHooks TviFamily;
