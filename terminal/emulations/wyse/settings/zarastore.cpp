// The current profile's "ZARA" section opened for the settings' reader and writer.
#include "terminal/emulations/wyse/platform.h"
#include "terminal/emulations/wyse/settings/setupcopy.h"
#include "terminal/emulations/wyse/settings/zara.h"
#include "terminal/settings/store/palettestore.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

namespace {
const wchar16* const kSection = VXT("ZARA");
}  // namespace

void LoadWyseSettings()
{
    HKEY key = SettingsOpenSection(CurrentProfileName(), kSection);
    WyseReadSettings(key);
    if (key)
        SettingsCloseKey(key);
}

void SaveWyseSettings(int factory)
{
    // A save of the factory state stores what still differs from the factory values.
    if (factory)
        WyseSetDefaults();
    HKEY key = SettingsCreateSection(CurrentProfileName(), kSection);
    if (!key)
        return;
    WyseWriteSettings(key);
    SettingsCloseKey(key);
}

void LoadWyseProfile()
{
    ReloadColourPalette();
    // The profile's two passes: machine-wide values, then the user's over them; an
    // administrator editing a machine-wide profile reads it once.
    const u32 savedRoot = SettingsRootIsUser(), savedKeep = KeepCurrentValues;
    const bool onePass = AdministratorMode == 1 && PerUserProfile == 0;
    for (u32 user = 0; user < (onePass ? 1u : 2u); ++user) {
        SettingsSelectRoot(user);
        KeepCurrentValues = user;
        LoadWyseSettings();
    }
    KeepCurrentValues = savedKeep;
    SettingsSelectRoot(savedRoot);
}
