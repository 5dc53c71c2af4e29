// The attribute rules of a painted cell: which colours a rendition shows in, whether it
// is underlined or blinks, and what character it shows in the blink's off phase. They
// read the attribute colour table, whose bytes say per rendition combination which of
// its effects are shown and whether it brings colours of its own.
#pragma once

#include "terminal/core/base/vxtypes.h"

// A cell's rendition combination: the low four bits of its rendition byte.
constexpr u8 kComboBlink = 0x01, kComboReverse = 0x02, kComboUnderline = 0x04, kComboBold = 0x08;

// Index into the attribute colour table for a combination.
int AttributeIndexOf(u8 combination);

struct CellColourPair {
    u8 foreground, background;  // palette indexes 0-15
    bool operator==(const CellColourPair&) const = default;
};

// The colours a cell shows. `blinkPhaseOn` is the phase that shows blinking text;
// `r4Colours` is the start-up option that brightens blinking backgrounds instead of
// blanking; `marked` exchanges the colours once more (selection and hot spots).
CellColourPair ComputeCellColours(u8 colour, u8 rendition, bool marked, bool blinkPhaseOn, bool r4Colours);

// Underline is drawn only where the combination's foreground byte asks for it, never on
// the top half of a double-height line (font flags 0x10).
bool RenditionShowsUnderline(u8 fontFlags, u8 rendition);
bool RenditionBlinks(u8 rendition);
// The character drawn: a blank for invisible cells and, in the off phase, for blinking
// cells whose combination flashes without colours of its own.
u8 CellDisplayChar(u8 character, u8 rendition, bool blinkPhaseOn, bool r4Colours);

// Whether a code below 32 is drawn from the control-character pictures: always outside
// the PC character mode; in it only while control characters are displayed.
bool IsControlGlyph(u16 character, u8 characterMode, bool displayControls);
