// The terminal palette: sixteen colours that every cell colour index names. Each
// emulation's HLS palette is converted into it; the painters read it.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct HlsPalette;

constexpr int kTerminalColours = 16;

// Sets entry index (taken AND 15) from percentages 0-100. Near-white becomes white and
// near-black black, so that colours converted from HLS land on the pure ends.
void SetPaletteColour(int index, int redPercent, int greenPercent, int bluePercent);
// The 8-bit components (0x00BBGGRR) an entry was last set to.
u32 PaletteRgb(int index);
// Converts the running emulation's HLS palette into the terminal palette; run after
// every colour change.
void ApplyColourPalette();
// Converts a whole HLS palette into the terminal palette (the Setup preview's colours).
void ApplyHlsPalette(const HlsPalette& palette);
// Records of four units {index, hue, lightness, saturation}; `units` counts all of them.
void ApplyHlsList(int units, const u16* records);

// The 8-bit value of a percentage, as the palette stores it.
constexpr int PercentToByte(int percent)
{
    return (percent * 255 + 50) / 100;
}
