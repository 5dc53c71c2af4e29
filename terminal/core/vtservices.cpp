#include "terminal/core/vtservices.h"

#include "terminal/core/corestate.h"
#include "terminal/core/escparser.h"
#include "terminal/core/screenstore.h"
#include "terminal/emulations/dec/services.h"

TimeOfDay HostTimeOfDay{};

void HostSelectEmulation()
{
    const int code = NextSequenceByte();
    int id = -1;
    switch (code) {
    case '1': case '2': case '5': id = 1; break;
    case '3': id = 0; break;
    case '6': case '7': id = 2; break;
    case '8': case '<': id = 3; break;
    case '9': id = 4; break;
    case '=': id = 18; break;
    case '>': id = 20; break;
    default: break;
    }
    // The switch itself runs on the user-interface thread.
    if (id >= 0)
        RequestedEmulationId = static_cast<u8>(id);
}

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

void VtShowPage()
{
    const int page = CsiParameters.slots[1].value;
    ShowScreenPage(page > 0 ? page - 1 : 0);
}

// Until the page memory follows the terminal model, the page mode stays as it is.
void ApplyPageModeSetting() {}
