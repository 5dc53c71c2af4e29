#include "support/doubles_settings.h"

#include "support/doubles_registry.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/session/sessionprofile.h"
#include "terminal/emulations/dec/ansi/ansiprofile.h"
#include "terminal/emulations/dec/profilepart.h"

namespace doubles {
SettingsDouble& Settings()
{
    static SettingsDouble s;
    return s;
}
}  // namespace doubles

int ReloadCurrentProfile()
{
    ++doubles::Settings().profileLoads;
    return 0;
}

void SetPaletteColour(int index, int redPercent, int greenPercent, int bluePercent)
{
    doubles::Settings().paletteColours.push_back({index, redPercent, greenPercent, bluePercent});
}

// The DEC family's profile part: engines never load or save a profile.
void DecLoadSettings()
{
    ++doubles::Settings().familyLoads;
}

void DecSaveSettings(int)
{
    ++doubles::Settings().familySaves;
}

// The consoles' sections are the registry double's keys of the same name.
HKEY OpenConsoleSection(u8 id, bool create)
{
    const wchar16* name = EmulationSectionName(id);
    if (!name || (!create && !doubles::Registry().keys.count(name)))
        return nullptr;
    return doubles::RegistryKeyHandle(name);
}

void CloseConsoleSection(HKEY) {}
