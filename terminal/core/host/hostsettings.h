// Settings of the line to the host that the receive and send paths obey. The profile
// store loads them; the user-interface thread may change the local flags at any time.
// The character set ("upss") is PaintSettings.characterMode, local echo and the
// on-close action belong to the connection settings.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// 2 means eight data bits; any other value masks received and sent bytes to 7 bits.
extern std::atomic<u32> DataBitsSetting;
// The terminal works offline: keyboard data is echoed as host data, nothing is sent.
extern std::atomic<u8> LocalMode;
// Hold screen: no host byte is read while set.
extern std::atomic<u8> OutputHeld;
