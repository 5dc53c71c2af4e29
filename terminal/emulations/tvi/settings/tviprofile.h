// The "TVI955" profile section: loading and saving the live settings and keys. Only the
// values that differ from the factory's are stored; a value the section lacks takes its
// factory value (or keeps the current one in a pass that keeps current values).
#pragma once

#include "terminal/core/base/registry.h"
#include "terminal/emulations/tvi/tvi.h"

// Both do nothing while the emulation does not run.
void LoadTviSettings();
void SaveTviSettings(int fullReload);

// The same on an open section key (tests and the two above).
void ReadTviProfile(HKEY key);
void WriteTviProfile(HKEY key);
