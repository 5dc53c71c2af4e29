#include "terminal/emulations/dg/dgcolours.h"

DgColourSettings DgColours = DgFactoryColours();
HlsPalette DgPalette = DgFactoryPalette();

namespace {

// clang-format off
constexpr const char* kFrgNames[16] = {
    "frgnorm", "frgfl", "frgiv", "frgivfl", "frgul", "frgflul", "frgivul", "frgivflul",
    "frgbold", "frgflbd", "frgivbd", "frgivflbd", "frgulbd", "frgflbdul", "frgivulbd", "frgivflbdul",
};
constexpr const char* kBckNames[16] = {
    "bcknorm", "bckfl", "bckiv", "bckivfl", "bckul", "bckflul", "bckivul", "bckivflul",
    "bckbold", "bckflbd", "bckivbd", "bckivflbd", "bckulbd", "bckflbdul", "bckivulbd", "bckivflbdul",
};

// Hue the DEC way (0 blue, 120 red, 240 green), lightness and saturation in percent.
constexpr HlsPalette kFactoryPalette{{
    {0, 0, 0},     {0, 50, 100},   {120, 50, 100}, {240, 50, 100}, {60, 50, 100},  {300, 50, 100},
    {180, 50, 100}, {0, 100, 100}, {0, 50, 0},     {0, 50, 50},    {120, 50, 50},  {240, 50, 50},
    {50, 50, 50},  {300, 30, 50},  {180, 30, 50},  {0, 75, 0},
}};
// clang-format on

}  // namespace

DgColourSettings DgFactoryColours()
{
    DgColourSettings c{};
    // Colour 7 with exactly the display bits of the combination's own renditions.
    for (int r = 0; r < 16; ++r) {
        u8 f = 7;
        if (r & kDgRenditionBlink)
            f |= kDgShowsBlink;
        if (r & kDgRenditionReverse)
            f |= kDgShowsReverse;
        if (r & kDgRenditionUnderline)
            f |= kDgShowsUnderline;
        if (r & kDgRenditionDim)
            f |= kDgShowsDim;
        c.frg[r] = f;
    }
    return c;
}

HlsPalette DgFactoryPalette()
{
    return kFactoryPalette;
}

const char* DgFrgName(int r)
{
    return r >= 0 && r < 16 ? kFrgNames[r] : "";
}

const char* DgBckName(int r)
{
    return r >= 0 && r < 16 ? kBckNames[r] : "";
}

u8 DgNormalColour()
{
    return static_cast<u8>(((DgColours.bck[0] & 0x0F) << 4) | (DgColours.frg[0] & 0x0F));
}

u8 DgBlankColour()
{
    return static_cast<u8>(((DgColours.bckscrn & 0x0F) << 4) | (DgColours.frg[0] & 0x0F));
}
