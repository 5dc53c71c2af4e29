#include "terminal/settings/setup/attributelists.h"

#include "terminal/core/base/family.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/setup/setupcolours.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupfamily.h"

u16 SetupColourPair[2] = {};
u32 SetupScreenElement = 0;

namespace {

constexpr u8 kPlain = 0;
// Strings 2161-2178: "Ansi Palette", "Normal", "Screen", "Intensity (IN)", "Underline
// (UL)", "Flashing (FL)", "Inverse (IV)", "UL+IN", "FL+IN", "FL+UL", "IV+FL", "IV+IN",
// "IV+UL", "FL+IN+UL", "IV+UL+IN", "IV+FL+IN", "IV+FL+UL", "IV+FL+IN+UL".
constexpr AttributeEntry kVtEntries[] = {
    {kCopyFrgPalette, kCopyBckPalette, kEntryPalette | kEntryNoUseColours},
    {kCopyFrgFirst + 0, kCopyBckNorm, kEntryNoUseColours | kEntryForcesUseColours},
    {kCopyScreen, kCopyScreen, kEntryOneColour | kEntryNoUseColours | kEntryForcesUseColours},
    {kCopyFrgFirst + 1, kCopyBckFirst + 0, kPlain},      // bold
    {kCopyFrgFirst + 2, kCopyBckFirst + 1, kPlain},      // underline
    {kCopyFrgFirst + 4, kCopyBckFirst + 3, kPlain},      // flash
    {kCopyFrgInverse + 0, kCopyBckInverse + 0, kPlain},  // inverse
    {kCopyFrgFirst + 3, kCopyBckFirst + 2, kPlain},      // underline bold
    {kCopyFrgFirst + 5, kCopyBckFirst + 4, kPlain},      // flash bold
    {kCopyFrgFirst + 6, kCopyBckFirst + 5, kPlain},      // flash underline
    {kCopyFrgInverse + 4, kCopyBckInverse + 4, kPlain},  // inverse flash
    {kCopyFrgInverse + 1, kCopyBckInverse + 1, kPlain},  // inverse bold
    {kCopyFrgInverse + 2, kCopyBckInverse + 2, kPlain},  // inverse underline
    {kCopyFrgFirst + 7, kCopyBckFirst + 6, kPlain},      // flash bold underline
    {kCopyFrgInverse + 3, kCopyBckInverse + 3, kPlain},  // inverse underline bold
    {kCopyFrgInverse + 5, kCopyBckInverse + 5, kPlain},  // inverse flash bold
    {kCopyFrgInverse + 6, kCopyBckInverse + 6, kPlain},  // inverse flash underline
    {kCopyFrgInverse + 7, kCopyBckInverse + 7, kPlain},  // inverse flash bold underline
};

bool IsUpper(wchar16 c)
{
    return c >= 'A' && c <= 'Z';
}

bool IsLetter(wchar16 c)
{
    return IsUpper(c) || (c >= 'a' && c <= 'z');
}

}  // namespace

// clang-format off
const AttributeElementList kVtAttributeList{
    2161, static_cast<u8>(std::size(kVtEntries)), SetupCopy.attributeColours, kVtEntries,
    kFlagIntensity | kFlagUnderline | kFlagFlashing | kFlagInverse, true, 1,
};
// clang-format on

u8 AttributeFlagsNamed(const wchar16* label)
{
    static const struct {
        wchar16 first, second;
        u8 flag;
    } kNames[] = {
        {'I', 'N', kFlagIntensity}, {'H', 'B', kFlagIntensity}, {'D', 'I', kFlagIntensity},
        {'U', 'L', kFlagUnderline}, {'F', 'L', kFlagFlashing},  {'I', 'V', kFlagInverse},
        {'C', 'S', kFlagSeparator}, {'H', 'I', kFlagHidden},
    };
    u8 flags = 0;
    // Words of exactly two capitals: "IV+FL", "Intensity (IN)", "Hidden(HI)".
    for (const wchar16* p = label; p && *p; ++p) {
        const bool starts = p == label || !IsLetter(p[-1]);
        if (!starts || !IsUpper(p[0]) || !IsUpper(p[1]) || IsLetter(p[2]))
            continue;
        for (const auto& name : kNames)
            if (p[0] == name.first && p[1] == name.second)
                flags |= name.flag;
    }
    return flags;
}

const AttributeElementList& AttributeListFor(u8 emulation)
{
    if (const FamilyHooks* family = FamilyFor(emulation))
        if (family->setup && family->setup->attributeList)
            if (const AttributeElementList* list = family->setup->attributeList(emulation))
                return *list;
    return kVtAttributeList;
}

void LoadAttributeColourPair(u32 index)
{
    const AttributeElementList& list = AttributeListFor(static_cast<u8>(SetupCopy.emulation));
    if (index >= list.count)
        return;
    const AttributeEntry& e = list.entries[index];
    SetupColourPair[1] = list.table[e.background];
    SetupColourPair[0] = e.flags & kEntryOneColour ? SetupColourPair[1] : list.table[e.foreground];
}

void StoreAttributeColourPair(u32 index)
{
    const AttributeElementList& list = AttributeListFor(static_cast<u8>(SetupCopy.emulation));
    if (index >= list.count)
        return;
    const AttributeEntry& e = list.entries[index];
    // One colour is the background half: a foreground chosen there is dropped.
    if (!(e.flags & kEntryOneColour))
        list.table[e.foreground] = SetupColourPair[0];
    list.table[e.background] = SetupColourPair[1];
}

void ResetEmulationColours()
{
    SetupWorkingCopy& w = SetupCopy;
    const FamilySetup* setup = ActiveFamily().setup;
    if (setup && setup->defaultColours) {
        setup->defaultColours();
    } else {
        for (int slot = 0; slot < kAttributeCopySlots; ++slot)
            w.attributeColours[slot] = 0;
        for (int c = 0; c < kAttributeCombinations; ++c)
            w.attributeColours[c < 8 ? kCopyFrgFirst + c : kCopyFrgInverse + c - 8] = FactoryForeground(c);
    }
    w.inverseColours = w.swapBlackWhite = w.autoColour = w.ansiColoursDisabled = 0;
    w.attributesNormalBackground = w.italicWithIntensity = w.boldFont = 0;
    w.coloursClearedWithAttributes = 1;
    const u8 bwswap = Colours.bwswap;
    Colours.bwswap = 0;
    ResetAllColourSets(kSetupCopy);
    if (setup && setup->factoryPalette && setup->palette && setup->palette())
        SetupPalette = setup->factoryPalette();
    Colours.bwswap = bwswap;
}

bool SwapBlackWhite(HlsPalette& palette)
{
    int black = -1, white = -1;
    for (int i = 0; i < kPaletteEntries; ++i) {
        if (black < 0 && palette.entry[i].lightness < 10)
            black = i;
        if (white < 0 && palette.entry[i].lightness >= 91)
            white = i;
    }
    if (black < 0 || white < 0)
        return false;
    const HlsEntry dark = palette.entry[black];
    palette.entry[black] = palette.entry[white];
    palette.entry[white] = dark;
    return true;
}

HlsPalette* RunningFamilyPalette()
{
    if (const FamilySetup* setup = ActiveFamily().setup; setup && setup->palette)
        return setup->palette();
    return nullptr;
}
