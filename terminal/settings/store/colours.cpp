#include "terminal/settings/store/colours.h"

#include <cstring>

AttributeColours AttributeColourTable{};
ColourFlags Colours{};
HlsPalette VtPalette{};
HlsPalette VtAnsiPalette{};
HlsPalette SetupPalette{};
u8 VtColourOrderFlag = 0;

namespace {
// DEC colour order. Entry 12 has hue 50, not 60.
// clang-format off
constexpr HlsPalette kFactoryVtPalette{{
    {0, 0, 0},      {0, 50, 100},  {120, 50, 100}, {240, 50, 100},
    {60, 50, 100},  {300, 50, 100}, {180, 50, 100}, {0, 75, 0},
    {0, 50, 0},     {0, 50, 50},   {120, 50, 50},  {240, 50, 50},
    {50, 50, 50},   {300, 30, 50}, {180, 30, 50},  {0, 100, 100},
}};
// clang-format on
}  // namespace

// ANSI colour order. Entry 13 has hue 50, not 60.
// clang-format off
const HlsPalette kFactoryVtAnsiPalette{{
    {0, 0, 0},      {120, 50, 100}, {240, 50, 100}, {180, 50, 100},
    {0, 50, 100},   {60, 50, 100},  {300, 50, 100}, {0, 100, 100},
    {0, 75, 0},     {120, 50, 50},  {240, 50, 50},  {180, 30, 50},
    {0, 50, 50},    {50, 50, 50},   {300, 30, 50},  {0, 50, 0},
}};
// clang-format on

namespace {
// Until a profile says otherwise the colours are the factory ones.
const bool kFactoryColoursSet = [] {
    SetFactoryAttributeColours();
    SetVtAnsiFactoryPalette(kLive);
    SetupPalette = VtPalette;
    return true;
}();
}  // namespace

// clang-format off
#define VX_DEFINE_SETTER(name, field) \
    void name(u8 colour) { AttributeColourTable.field = colour; }
// clang-format on
VX_ATTRIBUTE_SETTERS(VX_DEFINE_SETTER)
#undef VX_DEFINE_SETTER

void SetScrnColours(u8 colour)
{
    AttributeColourTable.frgscrn = AttributeColourTable.bckscrn = colour;
}

HlsPalette FactoryVtPalette(bool bwswap)
{
    HlsPalette p = kFactoryVtPalette;
    if (bwswap) {
        const HlsEntry black = p.entry[0];
        p.entry[0] = p.entry[15];
        p.entry[15] = black;
    }
    return p;
}

u8 FactoryForeground(int index)
{
    // Combination bits: 1 bold, 2 underline, 4 flash, 8 inverse.
    u8 value = 7;
    if (index & 1)
        value |= 0x80;
    if (index & 2)
        value |= 0x40;
    if (index & 4)
        value |= 0x10;
    if (index & 8)
        value |= 0x20;
    return value;
}

void SetVtFactoryPalette(u32 target)
{
    (target == kSetupCopy ? SetupPalette : VtPalette) = FactoryVtPalette(Colours.bwswap != 0);
}

void SetVtAnsiFactoryPalette(u32 target)
{
    (target == kSetupCopy ? SetupPalette : VtAnsiPalette) = kFactoryVtAnsiPalette;
}

int IsFactoryPalette()
{
    return VtPalette == FactoryVtPalette(Colours.bwswap != 0) ? 1 : 0;
}

void SetFactoryAttributeColours()
{
    AttributeColours& t = AttributeColourTable;
    for (int i = 0; i < kAttributeCombinations; ++i) {
        t.frg[i] = FactoryForeground(i);
        t.bck[i] = 0;
    }
    t.frgscrn = t.bckscrn = 0;
    t.frgcurs = 0;
    t.frgpalette = t.bckpalette = 0;
    if (VtColourOrderFlag)
        SetVtAnsiFactoryPalette(kLive);
    else
        SetVtFactoryPalette(kLive);
}
