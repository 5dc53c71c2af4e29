// The user-preferred supplemental set ("upss") and its font face ("upssFont") of each
// emulation. The running emulation's pair is live (the painter's character mode and
// the selected face); every other section's pair is kept as read, so that a save can
// write the sections of emulations that are not running.
#pragma once

#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/vxtypes.h"

struct UpssPair {
    i32 upss;
    i32 font;  // -1 for none
};
// The pair of each section of UpssSectionAt, as read before a save.
extern UpssPair SavedUpss[];

// Reads every section's pair into SavedUpss (a missing section: its default, font -1).
void ReadEmulationUpss();
// Writes the live pair into the running emulation's section and the saved pairs into
// the others'.
void SaveEmulationUpss();
// Writes one section's pair, leaving out what equals its default; nothing at all (not
// even the section) when both do.
void StoreEmulationUpss(i32 upss, i32 upssDefault, i32 font, i32 fontDefault, const wchar16* section);
// Reads the pair of emulation `id` from the selected root (absent values keep the live
// pair) and makes it live.
void LoadEmulationUpss(u8 id);
