#include "terminal/settings/defaults.h"

#include <cstring>

#include "terminal/core/corestate.h"
#include "terminal/settings/colours.h"

u32 SetupDialogOpen = 0;

namespace {
// The palette the active emulation shows. Only the DEC VT family's palettes are built
// in; an emulation of another family runs as VT500 7-Bit and shows them too.
HlsPalette& ActivePalette()
{
    return VtColourOrderFlag ? VtAnsiPalette : VtPalette;
}
}  // namespace

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
        SetupPalette = ActivePalette();
}

void ResetTa6530ColourMap()
{
    std::memcpy(Ta6530ColourMap, kFactoryTa6530ColourMap, sizeof Ta6530ColourMap);
}

void SetFactoryColours()
{
    SetFactoryAttributeColours();
    ResetTa6530ColourMap();
}
