// The DEC VT family's part of the Setup dialog.
#pragma once

#include "terminal/settings/setupfamily.h"

extern const FamilySetup DecSetup;
