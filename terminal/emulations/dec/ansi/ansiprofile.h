// The consoles' and AIXTerm's part of a profile load and save.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/core/base/registry.h"

// While a console or AIXTerm runs: its palette (and AIXTerm's HFT mode) from the
// profile, and written back when they differ from the factory values. A section is
// written only while its emulation runs (the save keeps the sections of the others as
// they were), and only what differs from the factory values (the save removed the
// running emulation's section first).
void ConsoleLoadSettings();
void ConsoleSaveSettings(int fullReload);

// The emulation's own section of the current profile (ansiprofile.cpp); nullptr when
// it cannot be opened or created.
HKEY OpenConsoleSection(u8 id, bool create);
void CloseConsoleSection(HKEY section);
