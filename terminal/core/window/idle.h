// The idle work of the host-data thread between bytes: the bell, the test screen dump,
// the family's display refresh, the cursor blink and the blink phase of blinking text,
// and the jump scroll's deferred redraw.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// The idle step between host bytes (host-data thread).
void RunIdleUpdates();
void BlinkTick();
