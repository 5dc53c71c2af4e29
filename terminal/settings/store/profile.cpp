#include "terminal/settings/store/profile.h"

#include "terminal/core/base/corestate.h"

wchar16* CurrentProfileName()
{
    return Slots.profileName;
}

bool FullReloadInProgress()
{
    return ProfileLoadInProgress != 0;
}
