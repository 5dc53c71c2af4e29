// The IBM 3270 family's registration: emulation 6, a 3278/3279 display or 3287 printer
// with a screen, keyboard and records of its own.
#pragma once

#include "terminal/core/base/family.h"

extern const FamilyHooks Ibm3270Family;
