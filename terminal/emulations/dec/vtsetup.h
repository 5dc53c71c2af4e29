// The DEC VT family's part of the Setup dialog.
#pragma once

#include "terminal/settings/setup/setupfamily.h"

extern const FamilySetup DecSetup;
