// The LPR retry delay: the profile keeps it in seconds, as both programs' dialogs show
// it; the LPR module waits in milliseconds. A delay too long for 32 bits of milliseconds
// is held at the most that fits.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr u32 LprRetryDelayMilliseconds(u32 seconds)
{
    constexpr u32 kMostSeconds = 0xFFFFFFFFu / 1000;
    return (seconds > kMostSeconds ? kMostSeconds : seconds) * 1000;
}
