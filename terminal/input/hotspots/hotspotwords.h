// Words on the screen that act as buttons: how a row is cut into words, and the
// built-in definitions of the function-key captions host screens show ("F1", "PF3",
// "Enter", "Send" ...). The profile's own definitions come first (hotspots.h).
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kHotspotSeparatorUnits = 133;
constexpr int kHotspotDefinitionUnits = 253;
// What separates words when the profile names nothing else; a blank always does.
extern const wchar16 kDefaultHotspotSeparators[];

// The built-in tables: the general one ("Definitions" in the profile) and the running
// emulation's, or nullptr when it has none.
struct HotspotDefault {
    const wchar16* word;
    const wchar16* definition;
};
struct HotspotTable {
    const HotspotDefault* entries;
    int count;
};
HotspotTable GeneralHotspotTable();
const HotspotTable* EmulationHotspotTable(u8 emulationId);
// The definition of a word in a table (case ignored), or "" when it has none.
const wchar16* LookupHotspotDefault(const HotspotTable* table, const wchar16* word, int length);

// The word around `column` of a row's text (units 0..columns-1, any unit of
// `separators` or a blank ends a word), searched between `first` and `last`; false when
// the column holds a separator.
bool HotspotWordBounds(const wchar16* text, int first, int last, int column, const wchar16* separators,
                       int* wordFirst, int* wordLast);
