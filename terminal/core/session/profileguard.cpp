#include "terminal/core/session/profileguard.h"

#include "terminal/core/base/corestate.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/core/base/registry.h"

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
