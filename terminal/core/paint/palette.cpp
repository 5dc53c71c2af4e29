#include "terminal/core/paint/palette.h"

#include "terminal/core/base/family.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/store/hls.h"

void ApplyHlsList(int units, const u16* records)
{
    for (int at = 0; at + 4 <= units; at += 4) {
        const RgbPercent c = HlsToRgb(records[at + 1], records[at + 2], records[at + 3]);
        SetPaletteColour(records[at], c.red, c.green, c.blue);
    }
}

void ApplyColourPalette()
{
    // A family with colours of its own (the IBM hosts) keeps them while it runs.
    if (auto own = ActiveFamily().applyPalette; own && own())
        return;
    ApplyHlsPalette(RunningHlsPalette());
}

void ApplyHlsPalette(const HlsPalette& palette)
{
    u16 records[4 * kPaletteEntries];
    for (int i = 0; i < kPaletteEntries; ++i) {
        records[4 * i] = static_cast<u16>(i);
        records[4 * i + 1] = palette.entry[i].hue;
        records[4 * i + 2] = palette.entry[i].lightness;
        records[4 * i + 3] = palette.entry[i].saturation;
    }
    ApplyHlsList(4 * kPaletteEntries, records);
}
