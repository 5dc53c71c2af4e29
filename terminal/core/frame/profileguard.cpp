#include "terminal/core/frame/profileguard.h"

#include "terminal/core/base/corestate.h"
#include "terminal/settings/colours.h"
#include "terminal/settings/defaults.h"
#include "terminal/settings/registry.h"

bool EnsureProfileForLoad(const wchar16* name)
{
    if (!name || !name[0])
        return false;
    const bool loading = ProfileLoadInProgress != 0;
    if (loading) {
        ResetAllColourSets(kLive);
        SetFactoryAttributeColours();
        CopyText(Slots.profileName, kSlotUnits, name);
    }
    if (SettingsProfileExistsAnyRoot(name))
        return true;
    return loading && SettingsCreateProfile(name) != 0;
}
