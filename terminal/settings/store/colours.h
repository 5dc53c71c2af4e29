// The colour settings of the character-mode screen: the attribute colour table, the
// colour flags, the VT palettes with their factory forms, and the Setup copy of the
// palette.
//
// A foreground byte holds the palette index in its low nibble and 0x80 bold (bright),
// 0x40 underline, 0x20 inverse, 0x10 flashing above it; a background byte its index,
// 0x80 "use these colours", 0x20 column separator, 0x10 hidden.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/settings/store/hls.h"

// The sixteen attribute combinations in the order of their profile value names:
// normal, bold, underline, underline bold, flash, ... inverse flash bold underline.
constexpr int kAttributeCombinations = 16;

struct AttributeColours {
    u8 frg[kAttributeCombinations];
    u8 bck[kAttributeCombinations];
    u8 frgscrn, bckscrn;  // the screen outside the text
    u8 frgcurs;
    u8 frgpalette, bckpalette;
};
extern AttributeColours AttributeColourTable;

struct ColourFlags {
    u8 autocolour, noansicolours, invcolour, bwswap, keepcolours, attribsnormbg, bolditalic, boldfont;
};
extern ColourFlags Colours;

// The live VT palette in DEC colour order (the one the profile stores), the one in
// ANSI colour order shown while VtColourOrderFlag is set, and the Setup working copy.
extern HlsPalette VtPalette;
extern HlsPalette VtAnsiPalette;
extern HlsPalette SetupPalette;
extern u8 VtColourOrderFlag;

// Factory palettes. The DEC-order one exchanges entries 0 and 15 under bwswap (a white
// background with black text); the ANSI-order one never does.
HlsPalette FactoryVtPalette(bool bwswap);
extern const HlsPalette kFactoryVtAnsiPalette;
// The factory foreground byte of attribute combination `index`: 7 plus its flags.
u8 FactoryForeground(int index);

// Target of the factory setters: the live palette or the Setup working copy.
enum ColourTarget : u32 { kLive = 0, kSetupCopy = 1 };
void SetVtFactoryPalette(u32 target);
void SetVtAnsiFactoryPalette(u32 target);
// 1 when the live DEC-order VT palette equals its factory form.
int IsFactoryPalette();
// Factory attribute colours, then the factory VT palette the colour-order flag shows.
void SetFactoryAttributeColours();

// The attribute colour settings one at a time, each storing its byte and nothing else:
// the Attributes page's apply changes the live table only through them.
// clang-format off
#define VX_ATTRIBUTE_SETTERS(X)                                                                              \
    X(SetFrgPaletteColour, frgpalette) X(SetBckPaletteColour, bckpalette)                                    \
    X(SetFrgNormColour, frg[0]) X(SetFrgBoldColour, frg[1]) X(SetFrgUlColour, frg[2])                        \
    X(SetFrgUlBdColour, frg[3]) X(SetFrgFlColour, frg[4]) X(SetFrgFlBdColour, frg[5])                        \
    X(SetFrgFlUlColour, frg[6]) X(SetFrgFlBdUlColour, frg[7]) X(SetFrgIvColour, frg[8])                      \
    X(SetFrgIvBdColour, frg[9]) X(SetFrgIvUlColour, frg[10]) X(SetFrgIvUlBdColour, frg[11])                  \
    X(SetFrgIvFlColour, frg[12]) X(SetFrgIvFlBdColour, frg[13]) X(SetFrgIvFlUlColour, frg[14])               \
    X(SetFrgIvFlBdUlColour, frg[15]) X(SetBckNormColour, bck[0]) X(SetBckBoldColour, bck[1])                 \
    X(SetBckUlColour, bck[2]) X(SetBckUlBdColour, bck[3]) X(SetBckFlColour, bck[4])                          \
    X(SetBckFlBdColour, bck[5]) X(SetBckFlUlColour, bck[6]) X(SetBckFlBdUlColour, bck[7])                    \
    X(SetBckIvColour, bck[8]) X(SetBckIvBdColour, bck[9]) X(SetBckIvUlColour, bck[10])                       \
    X(SetBckIvUlBdColour, bck[11]) X(SetBckIvFlColour, bck[12]) X(SetBckIvFlBdColour, bck[13])               \
    X(SetBckIvFlUlColour, bck[14]) X(SetBckIvFlBdUlColour, bck[15])
#define VX_DECLARE_SETTER(name, field) void name(u8 colour);
// clang-format on
VX_ATTRIBUTE_SETTERS(VX_DECLARE_SETTER)
#undef VX_DECLARE_SETTER
// The screen colour outside the text: frgscrn and bckscrn together.
void SetScrnColours(u8 colour);
