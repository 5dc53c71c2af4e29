// The HLS conversions at the points where the integer and single-precision steps show,
// and the factory colour tables against the rules they follow.
#include <gtest/gtest.h>

#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/hls.h"

namespace {

TEST(Hls, ToRgbKeepsItsRoundingAndHueConvention)
{
    // clang-format off
    struct Row {
        int h, l, s;
        RgbPercent rgb;
    } rows[] = {
        {0, 50, 100, {0, 0, 100}},     // hue 0 is blue
        {120, 50, 100, {100, 0, 0}},   // 120 red
        {240, 50, 100, {0, 100, 0}},   // 240 green
        {120, 30, 50, {44, 14, 14}},   // 45 and 15 each lose a unit in single precision
        {77, 40, 0, {40, 40, 40}},     // no saturation: grey at the lightness
        {10, 130, 0, {130, 130, 130}}, // even above 100
        {720, 50, 100, {0, 0, 100}},   // 720 is 0
        {360, 50, 100, {0, 0, 100}},   // 360 stays 360, the same colour as 0
        {-30, 50, 100, {0, 50, 100}},  // -30 is 330
        {330, 50, 100, {0, 50, 100}},
        {-360, 50, 100, {0, 0, 100}},
    };
    // clang-format on
    for (const Row& r : rows)
        EXPECT_EQ(HlsToRgb(r.h, r.l, r.s), r.rgb) << r.h << "," << r.l << "," << r.s;
}

TEST(Hls, FromRgb)
{
    // clang-format off
    struct Row {
        int r, g, b, h, l, s;
    } rows[] = {
        {0, 0, 100, 0, 50, 100},
        {100, 0, 0, 120, 50, 100},
        {0, 100, 0, 240, 50, 100},
        {50, 50, 50, 0, 50, 0},
        {150, 50, 100, 0, 100, 0},  // out of range: a zero divisor counts as grey
    };
    // clang-format on
    for (const Row& row : rows) {
        int r = row.r, g = row.g, b = row.b;
        RgbToHls(r, g, b);
        EXPECT_EQ(r, row.h) << row.r << "," << row.g << "," << row.b;
        EXPECT_EQ(g, row.l) << row.r << "," << row.g << "," << row.b;
        EXPECT_EQ(b, row.s) << row.r << "," << row.g << "," << row.b;
    }
    EXPECT_EQ(ByteToPercent(255), 100);
    EXPECT_EQ(ByteToPercent(128), 50);
    EXPECT_EQ(ByteToPercent(0), 0);
}

TEST(FactoryColours, PalettesAndAttributeBytes)
{
    // bwswap exchanges black and white of the DEC-order palette only.
    const HlsPalette plain = FactoryVtPalette(false), swapped = FactoryVtPalette(true);
    EXPECT_EQ(plain.entry[0], (HlsEntry{0, 0, 0}));
    EXPECT_EQ(swapped.entry[0], (HlsEntry{0, 100, 100}));
    EXPECT_EQ(swapped.entry[15], (HlsEntry{0, 0, 0}));
    for (int i = 1; i < 15; ++i)
        EXPECT_EQ(plain.entry[i], swapped.entry[i]);
    // The two orders hold the same sixteen colours.
    for (const HlsEntry& e : kFactoryVtAnsiPalette.entry) {
        int found = 0;
        for (const HlsEntry& f : plain.entry)
            found += e == f;
        EXPECT_EQ(found, 1) << e.hue << "," << e.lightness << "," << e.saturation;
    }

    Colours = ColourFlags{};
    VtColourOrderFlag = 0;
    VtPalette = VtAnsiPalette = HlsPalette{};
    AttributeColourTable.frgcurs = 9;
    AttributeColourTable.bck[5] = 3;
    SetFactoryAttributeColours();
    const u8 expected[16] = {0x07, 0x87, 0x47, 0xC7, 0x17, 0x97, 0x57, 0xD7,
                             0x27, 0xA7, 0x67, 0xE7, 0x37, 0xB7, 0x77, 0xF7};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(AttributeColourTable.frg[i], expected[i]) << i;
        EXPECT_EQ(AttributeColourTable.bck[i], 0) << i;
    }
    EXPECT_EQ(AttributeColourTable.frgcurs, 0);
    EXPECT_EQ(IsFactoryPalette(), 1);
    EXPECT_EQ(VtAnsiPalette, HlsPalette{});  // the colour-order flag picks one palette

    Colours.bwswap = 1;  // the stored palette is compared with its bwswap form
    EXPECT_EQ(IsFactoryPalette(), 0);
    SetVtFactoryPalette(kLive);
    EXPECT_EQ(IsFactoryPalette(), 1);
    Colours.bwswap = 0;

    VtColourOrderFlag = 1;
    SetFactoryAttributeColours();
    EXPECT_EQ(VtAnsiPalette, kFactoryVtAnsiPalette);
    VtColourOrderFlag = 0;
    SetVtAnsiFactoryPalette(kSetupCopy);
    EXPECT_EQ(SetupPalette, kFactoryVtAnsiPalette);
}

}  // namespace
