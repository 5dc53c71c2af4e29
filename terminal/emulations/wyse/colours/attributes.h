// Attributes and colours: how a cell's video attribute becomes the colours and effects
// it is painted with, in the embedded model (WY50 to HZ1500: attribute cells govern the
// cells after them) and in the character model (WY60: each cell carries its attribute
// and colour), and the host sequences that program the colour sets.
#pragma once

#include "terminal/core/base/vxtypes.h"

// An attribute code of ESC G, ESC A and ESC ! (a blank is normal): the attribute bits,
// or -1 for a code outside "0".."?" and "p".."DEL".
int WyseVideoCodeAttribute(int code);
// The protected-field attribute applied to attribute bits.
u8 WyseApplyProtectedAttribute(u8 bits);
// The combination index of attribute bits (dim 1, underline 2, blink 4, reverse 8,
// blank 16).
int WyseCombination(u8 bits);

// The colour byte (background x 16 + foreground) of a rendition, which comes back with
// the effects the colour set shows for it.
u8 WyseAttributeColour350(u8& rendition);
u8 WyseAttributeColour370(u8& rendition, bool message);
u8 WyseCurrentAttributeColour(u8& rendition, bool message);
// The character model's colour of a normal cell.
u8 WyseNormalColour();

// ESC % n: row n of the colour-code table into the embedded set.
void WyseApplyColourCode(int n);
// ESC m: one entry of the embedded set (a 0-7), or the protected foreground (a 8);
// false when nothing changed.
bool WyseProgramAttributeColour(int a, int colourByte, int plane);
// ESC A "a".."y" in the character model: one colour form, its arguments read here.
void WyseMessageColourForm(int form);

// What a cell is painted with.
struct WyseCellLook {
    u8 foreground, background;  // palette indexes
    u8 effects;                 // kWyUnderline, kWyBlink, kWyBlank
};
WyseCellLook WyseLookOf(u8 colour, u8 rendition, bool selected);
