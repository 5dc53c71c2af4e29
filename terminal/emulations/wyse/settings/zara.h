// The "ZARA" section of a profile: the Wyse family's settings read and written value by
// value. A value equal to its factory value is not stored (and is deleted when it was).
#pragma once

#include "terminal/core/base/registry.h"

// Reads every value by the absent-value rule of the pass (KeepCurrentValues); values
// out of their range take the factory value.
void WyseReadSettings(HKEY zara);
void WyseWriteSettings(HKEY zara);

// Open the current profile's section and read or write it (the family's settings
// hooks); with `factory` the live values first return to their factory values.
void LoadWyseSettings();
void SaveWyseSettings(int factory);
