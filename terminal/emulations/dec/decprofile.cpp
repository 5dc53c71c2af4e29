// The DEC family's part of a profile load and save: the user-defined keys of the current
// profile's VT300 section.
#include "terminal/emulations/dec/profilepart.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/keys/udkstore.h"
#include "terminal/settings/store/profile.h"

void DecLoadSettings()
{
    HKEY vt300 = SettingsOpenSection(CurrentProfileName(), VXT("VT300"));
    LoadUdkTable(vt300);
    SettingsCloseKey(vt300);
    ShowDecKeyModeStatus();
}

void DecSaveSettings(int)
{
    HKEY vt300 = SettingsCreateSection(CurrentProfileName(), VXT("VT300"));
    SaveUdkTable(vt300);
    SettingsCloseKey(vt300);
}
