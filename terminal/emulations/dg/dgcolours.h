// The DG colour settings ("DG410" section): for the normal look and each of the 15
// combinations of blink, reverse, underline and dim a foreground byte (colour in the low
// nibble; 0x10 blink shown, 0x20 reverse shown, 0x40 underline shown, 0x80 dim shown as
// the other intensity) and a background byte (colour; 0x80 the combination has colours of
// its own), the screen colour, and the 16-entry palette. Slot r of the tables is the
// combination whose renditions are the bits of r (1 blink, 2 reverse, 4 underline,
// 8 dim); slot 0 is the normal look.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/settings/store/hls.h"

struct DgColourSettings {
    u8 frg[16];
    u8 bck[16];
    u8 frgpalette, bckpalette, bckscrn;
    bool operator==(const DgColourSettings&) const = default;
};
extern DgColourSettings DgColours;
extern HlsPalette DgPalette;

constexpr u8 kDgShowsBlink = 0x10, kDgShowsReverse = 0x20, kDgShowsUnderline = 0x40, kDgShowsDim = 0x80;
constexpr u8 kDgOwnColours = 0x80;
// The rendition bits that number the slots.
constexpr u8 kDgRenditionBlink = 0x01, kDgRenditionReverse = 0x02, kDgRenditionUnderline = 0x04,
             kDgRenditionDim = 0x08;

DgColourSettings DgFactoryColours();
HlsPalette DgFactoryPalette();
// The profile value names of slot r (the frg and bck names).
const char* DgFrgName(int r);
const char* DgBckName(int r);

// The "DG410" section (platform): read in the selected root (current or factory values
// as KeepCurrentValues decides; a palette that does not read back whole is the factory
// one), and written (only what differs from the factory values, the rest deleted; a
// profile whose values are all factory gets no section).
void LoadDgColours();
void SaveDgColours();
// The machine-wide values, then the user's over them (the emulation's start).
void LoadDgProfileColours();

// The pen's default colour byte and the colour byte of a blank cell.
u8 DgNormalColour();
u8 DgBlankColour();
