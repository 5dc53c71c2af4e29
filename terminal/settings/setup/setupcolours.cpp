#include "terminal/settings/setup/setupcolours.h"

#include "terminal/core/base/family.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/settings/setup/attributelists.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupfamily.h"

namespace {

// The order the setters run in: the palette colours, the screen, the backgrounds, then
// the foregrounds.
// clang-format off
constexpr u8 kApplyOrder[kAttributeCopySlots] = {
    kCopyFrgPalette, kCopyBckPalette, kCopyScreen, kCopyBckNorm, 12, 13, 14, 15, 16, 17, 18,
    27, 28, 29, 30, 31, 32, 33, 34,  // the inverse backgrounds
    2, 3, 4, 6, 5, 7, 8, 9,          // normal, bold, underline, flash, underline bold ...
    19, 20, 21, 23, 22, 24, 25, 26,  // the inverse foregrounds the same way
};
// clang-format on

using Setter = void (*)(u8);
#define VX_SETTER_ENTRY(name, field) name,
constexpr Setter kSetters[] = {VX_ATTRIBUTE_SETTERS(VX_SETTER_ENTRY)};
#undef VX_SETTER_ENTRY
// kSetters: frgpalette, bckpalette, frg[0..15], bck[0..15].

Setter SetterOf(int slot)
{
    if (slot == kCopyFrgPalette || slot == kCopyBckPalette)
        return kSetters[slot];
    if (slot == kCopyScreen)
        return SetScrnColours;
    if (slot == kCopyBckNorm)
        return kSetters[2 + 16];
    if (slot >= kCopyFrgFirst && slot < kCopyBckNorm)
        return kSetters[2 + slot - kCopyFrgFirst];
    if (slot >= kCopyBckFirst && slot < kCopyFrgInverse)
        return kSetters[2 + 16 + 1 + slot - kCopyBckFirst];
    if (slot >= kCopyFrgInverse && slot < kCopyBckInverse)
        return kSetters[2 + 8 + slot - kCopyFrgInverse];
    return kSetters[2 + 16 + 8 + slot - kCopyBckInverse];
}

SetupWorkingCopy& W = SetupCopy;

template <typename T>
void Follow(u8& setting, T working)
{
    const u8 value = working ? 1 : 0;
    if (setting != value)
        setting = value;
}

}  // namespace

u8& AttributeColourAt(int slot)
{
    AttributeColours& t = AttributeColourTable;
    if (slot == kCopyFrgPalette)
        return t.frgpalette;
    if (slot == kCopyBckPalette)
        return t.bckpalette;
    if (slot == kCopyScreen)
        return t.bckscrn;
    if (slot == kCopyBckNorm)
        return t.bck[0];
    if (slot >= kCopyFrgFirst && slot < kCopyBckNorm)
        return t.frg[slot - kCopyFrgFirst];
    if (slot >= kCopyBckFirst && slot < kCopyFrgInverse)
        return t.bck[1 + slot - kCopyBckFirst];
    if (slot >= kCopyFrgInverse && slot < kCopyBckInverse)
        return t.frg[8 + slot - kCopyFrgInverse];
    return t.bck[8 + slot - kCopyBckInverse];
}

void FillAttributeColourCopy(u16* copy)
{
    for (int slot = 0; slot < kAttributeCopySlots; ++slot)
        copy[slot] = AttributeColourAt(slot);
}

void StoreAttributeColourCopy(const u16* copy)
{
    for (int slot = 0; slot < kAttributeCopySlots; ++slot)
        AttributeColourAt(slot) = static_cast<u8>(copy[slot]);
    AttributeColourTable.frgscrn = AttributeColourTable.bckscrn;
}

int ChangedAttributeColours(const u16* copy, int* slots)
{
    int n = 0;
    for (u8 slot : kApplyOrder)
        if (AttributeColourAt(slot) != static_cast<u8>(copy[slot]))
            slots[n++] = slot;
    return n;
}

void SetAttributeColour(int slot, u8 value)
{
    if (slot >= 0 && slot < kAttributeCopySlots)
        SetterOf(slot)(value);
}

void ApplySetupColours()
{
    StoreAttributeColourPair(SetupScreenElement);
    ColourFlags& c = Colours;
    Follow(c.invcolour, W.inverseColours);
    Follow(c.bwswap, W.swapBlackWhite);
    Follow(c.keepcolours, !W.coloursClearedWithAttributes);
    Follow(c.attribsnormbg, W.attributesNormalBackground);
    const u8 oldFrgNorm = AttributeColourTable.frg[0];
    const u8 oldBckNorm = AttributeColourTable.bck[0];
    const u8 oldBckScrn = AttributeColourTable.bckscrn;
    int slots[kAttributeCopySlots];
    const int changed = ChangedAttributeColours(W.attributeColours, slots);
    for (int i = 0; i < changed; ++i)
        SetAttributeColour(slots[i], static_cast<u8>(W.attributeColours[slots[i]]));
    // The families' current colours follow: the rendition reset, the consoles' drawing
    // colours, and the colour tables of their own.
    ForEachFamily([](const FamilyHooks& family) {
        if (family.coloursChanged)
            family.coloursChanged();
        if (family.setup && family.setup->applyColours)
            family.setup->applyColours();
    });
    RecolourAfterColourChange(oldFrgNorm, oldBckNorm, oldBckScrn);
    SettingsChangedFlag = 1;
    ColoursEditedFlag = 0;
}

void RecolourAfterColourChange(u8 oldFrgNorm, u8 oldBckNorm, u8 oldBckScrn)
{
    const AttributeColours& t = AttributeColourTable;
    const FamilySetup* setup = ActiveFamily().setup;
    if (setup && setup->recolour)
        setup->recolour(oldFrgNorm, oldBckNorm, oldBckScrn);
    else
        RemapCellColours(oldFrgNorm, oldBckNorm, oldBckScrn, t.frg[0], t.bck[0], t.bckscrn);
    ApplyColourPalette();
    InvalidateTerminal();
}

void ApplyColoursIfEdited()
{
    if (ColoursEditedFlag)
        ApplySetupColours();
}
