// Host commands of the DEC family that act on the core: the emulation chosen by a code
// byte, the auxiliary port, the status-line clock, the page shown and the page mode.
#pragma once

#include "terminal/core/vxtypes.h"

// ESC % ! c: the code byte after it names the emulation to switch to.
void HostSelectEmulation();
// DECSCP (CSI Ps * u).
void SelectAuxiliaryPort();
// DECLTOD (CSI Ph ; Pm , p).
void LoadTimeOfDay();
struct TimeOfDay {
    u8 hour, minute, set;
};
extern TimeOfDay HostTimeOfDay;
// CSI Pn z: shows page Pn - 1.
void VtShowPage();
// The terminal model changed (DECSCL 64, 65): its page mode applies.
void ApplyPageModeSetting();
