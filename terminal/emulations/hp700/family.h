// The HP 700/92's registration.
#pragma once

#include "terminal/core/base/family.h"

extern const FamilyHooks Hp700Family;
