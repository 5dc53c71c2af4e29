// The IBM 3151's registration.
#pragma once

#include "terminal/core/base/family.h"

extern const FamilyHooks Ibm3151Family;
