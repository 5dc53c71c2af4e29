#include "terminal/settings/store/palettestore.h"

#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/store/profilevalues.h"

namespace {
constexpr const wchar16* kFieldNames[3] = {VXT("hue"), VXT("lightness"), VXT("saturation")};

u16 HlsEntry::*const kFields[3] = {&HlsEntry::hue, &HlsEntry::lightness, &HlsEntry::saturation};
}  // namespace

void SaveHlsPalette(HKEY colours)
{
    if (IsFactoryPalette())
        return;
    for (int f = 0; f < 3; ++f) {
        u16 units[kPaletteEntries];
        for (int i = 0; i < kPaletteEntries; ++i)
            units[i] = VtPalette.entry[i].*kFields[f];
        SettingsWriteBinary(colours, kFieldNames[f], units, kPaletteEntries);
    }
}

void LoadHlsPalette(HKEY colours)
{
    if (!SavedItems.saveattrs)
        return;
    int present = 0;
    HlsPalette stored = VtPalette;
    for (int f = 0; f < 3; ++f) {
        u16 units[kPaletteEntries];
        if (SettingsReadBinary(colours, kFieldNames[f], units, kPaletteEntries) == kPaletteEntries) {
            for (int i = 0; i < kPaletteEntries; ++i)
                stored.entry[i].*kFields[f] = units[i];
            ++present;
        }
    }
    if (present < 3) {
        ResetAllColourSets(kLive);
        return;
    }
    // A record out of range (a hand-edited or damaged profile) keeps its factory
    // colour, as the host's colour-table restore refuses such a record: the conversion
    // to red, green and blue is only defined for hues to 360 and percentages to 100.
    const HlsPalette factory = FactoryVtPalette(Colours.bwswap != 0);
    for (int i = 0; i < kPaletteEntries; ++i) {
        const HlsEntry& e = stored.entry[i];
        VtPalette.entry[i] = e.hue <= 360 && e.lightness <= 100 && e.saturation <= 100 ? e : factory.entry[i];
    }
}
