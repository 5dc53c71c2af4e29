// The Wyse family: WY50, WY50+, TVI910, TVI920, TVI925, ADDS A2, HZ1500 and WY60 on the
// family's own page store, painted by its own painter.
#pragma once

#include "terminal/core/base/family.h"
#include "terminal/settings/setup/setupfamily.h"

extern const FamilyHooks WyseFamily;
// The family's Setup part (the Wyse Settings page, the colour copies, the palette).
extern const FamilySetup WyseSetup;
