// Hue, lightness and saturation colours and their conversion to red, green and blue.
//
// Hue runs the DEC way: 0 blue, 120 red, 240 green. Components are whole percentages.
// The conversion keeps one single-precision step of the terminals it follows, so a few
// exact percentages come out one lower (HlsToRgb(120, 30, 50) gives 44, 14, 14).
#pragma once

#include "terminal/core/base/vxtypes.h"

struct HlsEntry {
    u16 hue;         // 0-360 degrees
    u16 lightness;   // %
    u16 saturation;  // %
    bool operator==(const HlsEntry&) const = default;
};

constexpr int kPaletteEntries = 16;
struct HlsPalette {
    HlsEntry entry[kPaletteEntries];
    bool operator==(const HlsPalette&) const = default;
};

struct RgbPercent {
    int red, green, blue;
    bool operator==(const RgbPercent&) const = default;
};

RgbPercent HlsToRgb(int hue, int lightness, int saturation);
// One component: m1 and m2 are the low and high percentages, h the hue seen from it.
int HlsComponent(int m1, int m2, int h);
// Percent red, green and blue in; hue, lightness and saturation out, in place.
void RgbToHls(int& red, int& green, int& blue);
// An 8-bit colour value as the percentage RgbToHls takes.
int ByteToPercent(int value);
