// The Attributes page's screen-element lists as data: each list is a run of language
// strings, one per entry, and a table saying where entry i's foreground and background
// live in the working copy. The entry being edited is copied into a pair of colour bytes
// and back. The DEC VT and ANSI list is here; a family with a list of its own (the IBM
// hosts, HP, TVI, TA6530, the Wyse family) hands it over through its FamilySetup.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/settings/store/hls.h"

enum AttributeEntryFlags : u8 {
    kEntryOneColour = 1,         // one value shown as both colours (the screen colour)
    kEntryPalette = 2,           // "Ansi Palette": no swatch is marked, the halves are framed
    kEntryNoUseColours = 4,      // "Use Colours" does not apply
    kEntryForcesUseColours = 8,  // the background always carries its "use colours" flag
};
struct AttributeEntry {
    u8 foreground, background;  // slots of the list's table
    u8 flags;
};

// The attribute boxes a label names: "IN" (also "HB", "DI"), "UL", "FL", "IV", "CS", "HI".
// clang-format off
enum AttributeFlag : u8 {
    kFlagIntensity = 1, kFlagUnderline = 2, kFlagFlashing = 4, kFlagInverse = 8, kFlagSeparator = 16,
    kFlagHidden = 32,
};
// clang-format on
u8 AttributeFlagsNamed(const wchar16* label);

struct AttributeElementList {
    u16 firstString;
    u8 count;
    u16* table;  // the working values the entries' slots index
    const AttributeEntry* entries;
    u8 flagsOffered;     // the boxes its labels may enable
    bool paletteHalves;  // the swatch halves 0-7 and 8-15 are framed
    u8 normalEntry;      // the entry whose colours an entry without its own takes
    // The preview shows intensity the other way round while this says so (null: never).
    bool (*intensityReversed)() = nullptr;
    // "Attributes use Normal B&G" is offered.
    bool normalBackground = false;
    // The string the Intensity box shows (0: the page's own).
    u16 intensityLabel = 0;
};
// The list of the working emulation: its family's, else the DEC VT and ANSI one.
const AttributeElementList& AttributeListFor(u8 emulation);
extern const AttributeElementList kVtAttributeList;

// The entry being edited: foreground and background colour bytes, and its index.
extern u16 SetupColourPair[2];
extern u32 SetupScreenElement;
// Entry `index` of the working emulation's list into the pair, or back; an index beyond
// the list does nothing.
void LoadAttributeColourPair(u32 index);
void StoreAttributeColourPair(u32 index);

// The factory colours of the working emulation into the working copy, with the page's
// preferences at their factory state; the palette copy becomes the factory palette,
// built without the black and white exchange.
void ResetEmulationColours();
// Exchanges the first entry darker than 10% with the first of 91% or more; false when
// the palette lacks either.
bool SwapBlackWhite(HlsPalette& palette);
