// What the 3270 family adds to the Setup dialog.
#pragma once

#include "terminal/settings/setup/setupfamily.h"

extern const FamilySetup Ibm3270Setup;
