// Host commands of the DEC family that act on the core: the auxiliary port and the
// status-line clock. (The emulation switch's own host commands are
// declared with it.)
#pragma once

#include "terminal/core/base/vxtypes.h"

// DECSCP (CSI Ps * u).
void SelectAuxiliaryPort();
// DECLTOD (CSI Ph ; Pm , p).
void LoadTimeOfDay();
struct TimeOfDay {
    u8 hour, minute, set;
};
extern TimeOfDay HostTimeOfDay;
