// What the TVI 950 and 955 hand the core.
#include "terminal/emulations/tvi/family.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/tvi/keys/tvikeys.h"
#include "terminal/emulations/tvi/settings/tviprofile.h"

const FamilyHooks TviFamily{
    .name = "TVI 950/955",
    .emulations = EmulationBit(kEmuTvi955) | EmulationBit(kEmuTvi950),
    .dispatchKey = TviKeyHandler,
    .loadSettings = LoadTviSettings,
    .saveSettings = SaveTviSettings,
};
