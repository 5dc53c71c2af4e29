#include "terminal/emulations/wyse/settings/wysesettings.h"

#include "terminal/core/base/emulationids.h"

WyseSettings WySet = [] {
    WyseSettings s{};
    s.autoWrap = 1;
    WyseFactorySettings(s, kEmuWy50);
    WyseFactoryColourSets(s);
    WyseFactoryPalettes(s);
    return s;
}();

// clang-format off
const HlsPalette kWyseLoadPalette350 = {{
    {0, 0, 0},     {0, 50, 100},   {120, 50, 100}, {240, 50, 100}, {75, 50, 100}, {300, 50, 100},
    {180, 50, 100}, {0, 100, 100}, {0, 50, 0},     {345, 62, 100}, {150, 33, 100}, {210, 50, 100},
    {60, 66, 50},  {300, 66, 50},  {150, 37, 100}, {0, 75, 0},
}};
const HlsPalette kWyseFactoryPalette350 = {{
    {0, 0, 0},     {0, 50, 100},   {120, 50, 100}, {240, 50, 100}, {75, 50, 100}, {300, 50, 100},
    {180, 50, 100}, {0, 100, 100}, {0, 50, 0},     {345, 75, 100}, {140, 50, 100}, {210, 50, 100},
    {60, 66, 50},  {300, 66, 50},  {150, 37, 100}, {0, 75, 0},
}};
const HlsPalette kWyseLoadPalette370 = {{
    {0, 0, 0},     {0, 50, 100},   {120, 50, 100}, {240, 50, 100}, {75, 50, 100}, {300, 50, 100},
    {180, 50, 100}, {0, 100, 100}, {0, 50, 0},     {0, 37, 100},   {120, 37, 100}, {210, 37, 100},
    {60, 66, 50},  {300, 37, 100}, {150, 37, 100}, {0, 75, 0},
}};
const HlsPalette kWyseFactoryPalette370 = kWyseLoadPalette370;
// clang-format on

u8 WyseFactoryForeground(int combination)
{
    // Bits of a combination: 1 dim, 2 underline, 4 blink, 8 reverse (16 blank).
    u8 fg = 0x07;
    if (combination & 1)
        fg |= 0x08;
    if (combination & 2)
        fg |= 0x40;
    if (combination & 4)
        fg |= 0x10;
    if (combination & 8)
        fg |= 0x20;
    return fg;
}

u8 WyseFactoryBackground(int combination, bool characterSet)
{
    return characterSet && (combination & 16) ? 0x90 : 0x80;
}

u8 WyseFactoryAttrType(u8 emulation)
{
    return emulation == kEmuWy60 ? 2 : 0;
}

void WyseFactoryTabStops(u8 (&stops)[kWyseTabColumns])
{
    for (int c = 0; c < kWyseTabColumns; ++c)
        stops[c] = c % 8 == 0 ? 'T' : ' ';
}

u16 WyseValidDisplaySize(u32 lines)
{
    return lines == 24 || lines == 25 || lines == 42 || lines == 43 ? static_cast<u16>(lines) : 24;
}

void WyseFactorySettings(WyseSettings& s, u8 emulation)
{
    // Auto wrap keeps its value, and so do the colour sets and palettes.
    const WyseSettings keep = s;
    s = WyseSettings{};
    s.autoWrap = keep.autoWrap;
    s.palette350 = keep.palette350;
    s.palette370 = keep.palette370;
    for (int p = 0; p < kWyseEmbeddedCombos; ++p) {
        s.fg350[p] = keep.fg350[p];
        s.bg350[p] = keep.bg350[p];
    }
    for (int p = 0; p < kWyseCharacterCombos; ++p) {
        s.fg370[p] = keep.fg370[p];
        s.bg370[p] = keep.bg370[p];
    }
    s.enhance = 1;
    s.dispSize = 24;
    s.multiPage = 1;
    s.autoScroll = 1;
    s.sendAck = 1;
    s.stat = 1;
    s.attrType = WyseFactoryAttrType(emulation);
    s.protAttr = 1;
    s.initTabs = 1;
    s.crNull = 1;
    s.marginColumn = kWyseFactoryMarginColumn;
    WyseFactoryTabStops(s.tabStops);
}

void WyseFactoryPalettes(WyseSettings& s)
{
    s.palette350 = kWyseFactoryPalette350;
    s.palette370 = kWyseFactoryPalette370;
}

void WyseFactoryColourSets(WyseSettings& s)
{
    for (int p = 0; p < kWyseEmbeddedCombos; ++p) {
        s.fg350[p] = WyseFactoryForeground(p);
        s.bg350[p] = WyseFactoryBackground(p, false);
    }
    for (int p = 0; p < kWyseCharacterCombos; ++p) {
        s.fg370[p] = WyseFactoryForeground(p & 15);
        s.bg370[p] = WyseFactoryBackground(p, true);
    }
}
