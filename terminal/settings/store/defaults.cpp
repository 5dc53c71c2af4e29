#include "terminal/settings/store/defaults.h"

#include <cstring>

#include "terminal/core/base/corestate.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/hls.h"

u32 SetupDialogOpen = 0;

HlsPalette& ActiveVtPalette()
{
    return VtColourOrderFlag ? VtAnsiPalette : VtPalette;
}

HlsPalette& RunningHlsPalette()
{
    if (HlsPalette* own = RunningFamilyPalette())
        return *own;
    return ActiveVtPalette();
}

void ResetAllColourSets(u32 target)
{
    if (ProfileLoadInProgress) {
        SetVtFactoryPalette(target);
        SetVtAnsiFactoryPalette(target);
    } else if (VtColourOrderFlag) {
        SetVtAnsiFactoryPalette(target);
    } else {
        SetVtFactoryPalette(target);
    }
    if (!SetupDialogOpen)
        SetupPalette = RunningHlsPalette();
}

void SetFactoryColours()
{
    SetFactoryAttributeColours();
}
