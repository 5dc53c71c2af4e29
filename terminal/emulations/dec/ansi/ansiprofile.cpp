// The consoles' and AIXTerm's own profile sections, opened for the engine that reads
// and writes them (ansipalettes.cpp).
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/dec/ansi/ansiprofile.h"
#include "terminal/settings/store/profile.h"

HKEY OpenConsoleSection(u8 id, bool create)
{
    const wchar16* name = EmulationSectionName(id);
    if (!name)
        return nullptr;
    return create ? SettingsCreateSection(CurrentProfileName(), name)
                  : SettingsOpenSection(CurrentProfileName(), name);
}

void CloseConsoleSection(HKEY section)
{
    SettingsCloseKey(section);
}
