// The section in the running program's profile.
#include "terminal/core/paint/palette.h"
#include "terminal/emulations/tvi/settings/tviprofile.h"
#include "terminal/settings/store/profile.h"

namespace {
constexpr const wchar16* kSection = VXT("TVI955");
}  // namespace

void LoadTviSettings()
{
    if (!Tvi.active)
        return;
    HKEY key = SettingsOpenSection(CurrentProfileName(), kSection);
    ReadTviProfile(key);
    if (key)
        SettingsCloseKey(key);
    ApplyHlsPalette(Tvi.palette);
}

void SaveTviSettings(int)
{
    if (!Tvi.active)
        return;
    HKEY key = SettingsCreateSection(CurrentProfileName(), kSection);
    if (!key)
        return;
    WriteTviProfile(key);
    SettingsCloseKey(key);
}
