// The VT palette in the profile's COLOURS section: "hue", "lightness" and "saturation",
// 16 units each, entry 0 first.
#pragma once

#include "terminal/core/base/registry.h"

// Writes the three values unless the palette is the factory one.
void SaveHlsPalette(HKEY colours);
// Only while "Attributes" are saved with the profile. Unless all three values are
// present, every emulation's colours return to their factory values.
void LoadHlsPalette(HKEY colours);
// Reads the palette of the current profile's COLOURS section again (entering the VT,
// TA6530 or Wyse emulation).
void ReloadColourPalette();
