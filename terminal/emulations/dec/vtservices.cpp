#include "terminal/emulations/dec/vtservices.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/escparser.h"
#include "terminal/emulations/dec/services.h"

TimeOfDay HostTimeOfDay{};

// The auxiliary port cannot be opened until the port layer exists.
void SelectAuxiliaryPort() {}

void LoadTimeOfDay()
{
    const CsiParameterSet& p = CsiParameters;
    if (p.markerInForce != ' ')
        return;
    const int hour = p.slots[1].value, minute = p.count >= 2 ? p.slots[2].value : 0;
    if (hour > 23 || minute > 59)
        return;
    HostTimeOfDay = TimeOfDay{static_cast<u8>(hour), static_cast<u8>(minute), 1};
}
