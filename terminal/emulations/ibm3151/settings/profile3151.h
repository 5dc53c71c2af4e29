// The profile's "IBM3151" section: the operating-mode and set-control bytes, the screen
// format, model, cursor type, terminal ID, PF keys and the colour palette. A value equal
// to its default is not written (and is deleted when stored).
#pragma once

#include "terminal/settings/store/hls.h"
#include "terminal/core/base/registry.h"

// The emulation's palette (the one it shows and Setup edits) and its factory form.
extern HlsPalette I3151Palette;
HlsPalette I3151FactoryPalette();

// Reads and writes the section through an open key (the engine's part).
void I3151ReadProfile(HKEY key);
void I3151WriteProfile(HKEY key, bool reset);

// The section of the current profile, opened by the program: only while the emulation
// runs. Saving with `reset` (a reset to factory settings) takes the default bytes first
// and writes no PF key.
void I3151LoadSettings();
void I3151SaveSettings(int reset);
