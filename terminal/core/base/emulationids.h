// The 24 emulations, their families and which families this build carries.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kEmulationCount = 24;

enum class EmulationFamily : u8 {
    Vt,          // VT52, VT100, VT500 7-bit and 8-bit
    AnsiConsole, // Ansi BBS, SCO Console, AT 386
    Aixterm,
    Ibm3270,
    Ibm5250,
    Wyse,        // the eight Wyse personalities
    Ibm3151,
    Ta6530,
    Hp700,
    Tvi,         // TVI 950 and 955
    Dg,
};

// The emulation's display name ("VT52" ... "AIXTerm"); "" for an unknown id.
const char* EmulationName(u8 id);
EmulationFamily FamilyOf(u8 id);
bool IsValidEmulationId(u8 id);
// Whether the family's emulation is part of this build; switching to one that is not
// lands on VT500 7-Bit instead.
bool FamilyBuilt(EmulationFamily family);
void SetFamilyBuilt(EmulationFamily family, bool built);

bool IsVtFamily(u8 id);           // 0-3
bool IsAnsiConsoleFamily(u8 id);  // 4, 5, 21, 23
bool IsVtOrAnsiFamily(u8 id);
bool IsVt500Emulation(u8 id);     // 2, 3
bool IsWyseFamily(u8 id);         // 8-15
