// The ISO 646 national replacement sets the character-mode terminals offer: each a list
// of pairs {7-bit code, the Latin-1 character it shows}, ended by a 0. The DEC family
// picks them by keyboard language, the TA6530 by its own set numbers.
#pragma once

#include "terminal/core/base/vxtypes.h"

extern const u8 kNrcBritish[];
extern const u8 kNrcFrench[];
extern const u8 kNrcFrenchCanadian[];
extern const u8 kNrcNorwegianDanish[];
extern const u8 kNrcFinnish[];
extern const u8 kNrcGerman[];
extern const u8 kNrcDutch[];
extern const u8 kNrcItalian[];
extern const u8 kNrcSwiss[];
extern const u8 kNrcSwedish[];
extern const u8 kNrcSpanish[];
