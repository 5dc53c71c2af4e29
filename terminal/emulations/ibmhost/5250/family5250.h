// The IBM 5250 family's registration: emulation 7, a 5250 display station with a
// screen, keyboard and records of its own.
#pragma once

#include "terminal/core/base/family.h"

extern const FamilyHooks Ibm5250Family;
