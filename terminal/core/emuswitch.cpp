#include "terminal/core/emuswitch.h"

#include "terminal/core/corestate.h"
#include "terminal/core/emulationids.h"
#include "terminal/core/statusbar.h"

int InitialiseTerminal(int)
{
    return 1;
}

void RequestEmulation(u8 id)
{
    RequestedEmulationId = id;
}

void SelectEmulation(u8, u8 to)
{
    // A family that is not part of the build cannot start: stay on the default.
    if (!IsValidEmulationId(to) || !FamilyBuilt(FamilyOf(to)))
        to = kDefaultEmulationId;
    EmulationId = to;
    RequestedEmulationId = to;
    StatusBarRefresh();
}
