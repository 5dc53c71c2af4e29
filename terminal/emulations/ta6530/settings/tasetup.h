// The TA6530's part of the Setup dialog: the "TA 6530 Settings" page (slot 16) and its
// working copy, and its list on the Attributes page.
#pragma once

#include "terminal/settings/setup/setupfamily.h"

extern const FamilySetup Ta6530Setup;
