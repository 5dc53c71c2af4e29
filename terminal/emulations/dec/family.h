// The DEC VT family's registration: VT52, VT100, VT500 7-bit and 8-bit; and the ANSI
// consoles, which run on its engine.
#pragma once

#include "terminal/core/base/family.h"

extern const FamilyHooks DecFamily;
// The ANSI consoles: Ansi BBS, SCO Console and AT 386.
extern const FamilyHooks AnsiConsoleFamily;
// AIXTerm, on the same engine with its own tables.
extern const FamilyHooks AixtermFamily;
