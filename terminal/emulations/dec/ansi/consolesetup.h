// The consoles' and AIXTerm's part of the Setup dialog (consolesetup.cpp).
#pragma once

#include "terminal/settings/setup/setupfamily.h"

extern const FamilySetup ConsoleSetup;
extern const FamilySetup AixtermSetup;
