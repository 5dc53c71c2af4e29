// The idle work of the host-data thread between bytes: the bell, the test screen dump,
// the family's display refresh, the cursor blink and the blink phase of blinking text,
// and the jump scroll's deferred redraw.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// The blink phase: 1 while blinking text shows; the blink tick flips it.
extern std::atomic<u8> BlinkPhaseOn;
// The idle step between host bytes (host-data thread).
void RunIdleUpdates();
void BlinkTick();
