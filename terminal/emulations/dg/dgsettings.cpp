#include "terminal/emulations/dg/dgsettings.h"

#include <iterator>

#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgdamage.h"
#include "terminal/emulations/dg/dgkeys.h"
#include "terminal/emulations/dg/dgstate.h"
#include "terminal/settings/setup/attributelists.h"
#include "terminal/settings/setup/setupcolours.h"
#include "terminal/settings/setup/setupfamily.h"

namespace {

// The Attributes page edits this copy with the DEC list's entries: the page's slots
// (setupcolours.h) lead to the same settings in the DG table.
u16 g_copy[kAttributeCopySlots];

// The slot r of the DG tables for the page's combination v (8 reverse, 4 blink,
// 2 underline, 1 dim).
int SlotOfCombination(int v)
{
    return ((v & 1) ? kDgDim : 0) | ((v & 2) ? kDgUnderline : 0) | ((v & 4) ? kDgBlink : 0) |
           ((v & 8) ? kDgReverse : 0);
}

u8& ColourAt(DgColourSettings& c, int slot)
{
    if (slot == kCopyFrgPalette)
        return c.frgpalette;
    if (slot == kCopyBckPalette)
        return c.bckpalette;
    if (slot == kCopyScreen)
        return c.bckscrn;
    if (slot == kCopyBckNorm)
        return c.bck[0];
    if (slot >= kCopyFrgFirst && slot < kCopyBckNorm)
        return c.frg[SlotOfCombination(slot - kCopyFrgFirst)];
    if (slot >= kCopyBckFirst && slot < kCopyFrgInverse)
        return c.bck[SlotOfCombination(1 + slot - kCopyBckFirst)];
    if (slot >= kCopyFrgInverse && slot < kCopyBckInverse)
        return c.frg[SlotOfCombination(8 + slot - kCopyFrgInverse)];
    return c.bck[SlotOfCombination(8 + slot - kCopyBckInverse)];
}

void FillCopy(const DgColourSettings& from)
{
    DgColourSettings c = from;
    for (int slot = 0; slot < kAttributeCopySlots; ++slot)
        g_copy[slot] = ColourAt(c, slot);
}

const AttributeElementList kDgList{
    kVtAttributeList.firstString, kVtAttributeList.count,        g_copy,
    kVtAttributeList.entries,     kVtAttributeList.flagsOffered, kVtAttributeList.paletteHalves,
    kVtAttributeList.normalEntry,
};

bool Running()
{
    return Dg.mode != kDgModeOff;
}

void FillColourCopy()
{
    FillCopy(DgColours);
}

void ApplyColourCopy()
{
    if (!Running())
        return;
    const DgColourSettings old = DgColours;
    for (int slot = 0; slot < kAttributeCopySlots; ++slot)
        ColourAt(DgColours, slot) = static_cast<u8>(g_copy[slot]);
    DgRecolourScreen(old.frg[0], old.bck[0], old.bckscrn);
    DgDamageAll();
}

const AttributeElementList* AttributeList(u8 emulation)
{
    return emulation == kEmuDg410 ? &kDgList : nullptr;
}

void DefaultColours()
{
    FillCopy(DgFactoryColours());
}

// The DG colours recolour their own screen in ApplyColourCopy; the shared store is left.
void Recolour(u8, u8, u8) {}

HlsPalette* Palette()
{
    return Running() ? &DgPalette : nullptr;
}

// The Terminal page: no character-set choice (the host's commands and the keyboard
// language pick the DG's sets), no tab ruler, no Backspace/DEL swap; NULs may be
// filtered.
constexpr u8 kTerminalRowsOff[] = {kRowBackspaceDel, kTerminalModeRows};
constexpr u8 kTerminalRowsOn[] = {kRowIgnoreNulls, kTerminalModeRows};
constexpr TerminalPageLook kTerminalLook{false, true, false, kTerminalRowsOff, kTerminalRowsOn};

const TerminalPageLook* TerminalPage(u8)
{
    return &kTerminalLook;
}

}  // namespace

const FamilySetup DgSetup{
    .fill = FillColourCopy,
    .applyColours = ApplyColourCopy,
    .recolour = Recolour,
    .attributeList = AttributeList,
    .defaultColours = DefaultColours,
    .palette = Palette,
    .factoryPalette = DgFactoryPalette,
    .hostKeyNames = {kDgFirstKeyName, kDgLastKeyName},
    .terminalPage = TerminalPage,
};

void DgStartColours()
{
    DgColours = DgFactoryColours();
    DgPalette = DgFactoryPalette();
    LoadDgProfileColours();
    FillCopy(DgColours);
}

void DgRecolourScreen(u8 oldFrgNorm, u8 oldBckNorm, u8 oldBckScrn)
{
    if (!Dg.block)
        return;
    const int oldFg = oldFrgNorm & 0x0F, oldBg = oldBckNorm & 0x0F, oldScreen = oldBckScrn & 0x0F;
    const int newFg = DgColours.frg[0] & 0x0F, newBg = DgColours.bck[0] & 0x0F;
    const int newScreen = DgColours.bckscrn & 0x0F;
    // Written cells take the new normal background, the rest the new screen colour.
    for (DgLine* line : Dg.rows)
        for (ScreenCell& cell : line->cells) {
            int fg = cell.colour & 0x0F, bg = cell.colour >> 4;
            if (fg == oldFg)
                fg = newFg;
            if (cell.rendition & kDgWritten) {
                if (bg == oldBg)
                    bg = newBg;
            } else if (bg == oldScreen) {
                bg = newScreen;
            }
            cell.colour = static_cast<u8>(bg << 4 | fg);
        }
    Dg.pen.colour = DgNormalColour();
}
