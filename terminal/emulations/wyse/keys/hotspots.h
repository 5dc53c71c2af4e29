// The key captions a Wyse screen shows that mouse hot spots act on.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct HotspotTable;

// The function keys and Send of the WY50, WY50+ and WY60; nullptr for the other
// personalities, whose hosts name no such keys.
const HotspotTable* WyseHotspotTable(u8 emulation);
