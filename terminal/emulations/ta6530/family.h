// The TA6530 family as the core sees it.
#pragma once

#include "terminal/core/base/family.h"

extern const FamilyHooks Ta6530Family;
