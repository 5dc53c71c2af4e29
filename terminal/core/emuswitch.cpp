#include "terminal/core/emuswitch.h"

#include "terminal/core/corestate.h"
#include "terminal/core/emulationids.h"
#include "terminal/core/statusbar.h"
#include "terminal/core/hostthread.h"

namespace {
constexpr u32 kSwitchHoldMs = 2000;
}  // namespace

void RequestEmulation(u8 id)
{
    RequestedEmulationId = id;
}

void SelectEmulation(u8, u8 to)
{
    // A family that is not part of the build cannot start: stay on the default.
    if (!IsValidEmulationId(to) || !FamilyBuilt(FamilyOf(to)))
        to = kDefaultEmulationId;
    // The host-data thread must be parked before the emulations change under it.
    HoldHostDataThread(HostGate::Switch, kSwitchHoldMs);
    EmulationId = to;
    RequestedEmulationId = to;
    ReleaseHostDataThread(HostGate::Switch);
    StatusBarRefresh();
}
