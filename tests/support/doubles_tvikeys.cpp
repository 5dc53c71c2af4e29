// The TVI's profile section on the registry double's "TVI955" key.
#include "support/doubles_registry.h"
#include "terminal/emulations/tvi/settings/tviprofile.h"

void LoadTviSettings()
{
    if (Tvi.active)
        ReadTviProfile(doubles::RegistryKeyHandle(VXT("TVI955")));
}

void SaveTviSettings(int)
{
    if (Tvi.active)
        WriteTviProfile(doubles::RegistryKeyHandle(VXT("TVI955")));
}
