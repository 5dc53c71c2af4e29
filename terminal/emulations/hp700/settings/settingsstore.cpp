// The "HP70092" section in the running program's profile.
#include "terminal/emulations/hp700/settings/settings.h"
#include "terminal/emulations/hp700/window/run700.h"
#include "terminal/settings/store/profile.h"

void Hp700LoadSettings()
{
    HKEY key = SettingsOpenSection(CurrentProfileName(), kHp700Section);
    Hp700ReadProfile(key);
    if (key)
        SettingsCloseKey(key);
    Hp700ApplyPalette();
}

void Hp700SaveSettings(int)
{
    HKEY key = SettingsCreateSection(CurrentProfileName(), kHp700Section);
    if (!key)
        return;
    Hp700WriteProfile(key);
    SettingsCloseKey(key);
}
