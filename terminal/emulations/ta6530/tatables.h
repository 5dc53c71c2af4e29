// The TA6530's constant tables: which data types accept which characters, the fixed
// field definitions, the colour-number maps and the factory settings.
#pragma once

#include "terminal/emulations/ta6530/tastate.h"

// Bit n of a character's entry: data type n accepts it.
extern const u8 kTaFactoryDataTypes[256];
// FS codes with 0x40: {video attribute, data byte, extra byte (bit 0 upper-case shift)}.
extern const u8 kTaFixedFields[64][3];
// The settable table's factory entry.
extern const u8 kTaFactoryFieldEntry[3];

// Host colour numbers and palette indexes, both ways; the field colour codes 0-7.
extern const u8 kTaHostToPalette[16];
extern const u8 kTaPaletteToHost[16];
extern const u8 kTaFieldColourToPalette[8];

// The factory settings; the palette by the light-background option.
Ta6530Settings TaFactorySettings();
HlsPalette TaFactoryPalette(bool lightBackground);
