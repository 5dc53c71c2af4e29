// The attribute colours in the Setup working copy and their way back: the working copy
// of the attribute colour table, the settings that differ from it (each set through its
// own setter), and the recolouring of the screen that follows a change.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The working copy's slots: frgpalette, bckpalette, the eight foregrounds without
// inverse (normal ... flash bold underline), bcknorm, the screen colour, the seven other
// backgrounds without inverse, then the eight inverse foregrounds and backgrounds.
enum AttributeCopySlot : int {
    kCopyFrgPalette = 0,
    kCopyBckPalette = 1,
    kCopyFrgFirst = 2,  // frg[0..7]
    kCopyBckNorm = 10,
    kCopyScreen = 11,      // bckscrn; frgscrn always equals it
    kCopyBckFirst = 12,    // bck[1..7]
    kCopyFrgInverse = 19,  // frg[8..15]
    kCopyBckInverse = 27,  // bck[8..15]
    kAttributeCopySlots = 35
};

// The live byte behind a slot.
u8& AttributeColourAt(int slot);
void FillAttributeColourCopy(u16* copy);
// Every slot back into the table, unconditionally (the session part of the apply).
void StoreAttributeColourCopy(const u16* copy);

// The slots whose live byte differs from the working value's low byte, in the order
// their setters run; returns their number.
int ChangedAttributeColours(const u16* copy, int* slots);
// Runs the setter of a slot.
void SetAttributeColour(int slot, u8 value);

// The apply after the Attributes page's OK: the page's pair and preferences, the
// settings that changed through their setters, the families' current colours, the
// screen recoloured and the palette rebuilt. Clears ColoursEditedFlag.
void ApplySetupColours();
// Cells drawn in the old normal and screen colours take the new ones (through the
// running family when it keeps a screen of its own); then the palette is rebuilt and the
// terminal repainted.
void RecolourAfterColourChange(u8 oldFrgNorm, u8 oldBckNorm, u8 oldBckScrn);
// The apply step: ApplySetupColours when the page edited colours.
void ApplyColoursIfEdited();
