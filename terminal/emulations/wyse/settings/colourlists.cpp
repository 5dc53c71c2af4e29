#include "terminal/emulations/wyse/settings/colourlists.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/settings/setupcopy.h"
#include "terminal/settings/setup/attributelists.h"

namespace {

// The lists show Normal, UL, DI, DI+UL ...; the sets are kept by combination, dim in
// bit 0 and underline in bit 1: an entry's combination has its two lowest bits swapped.
constexpr u8 Combination(int entry)
{
    return static_cast<u8>((entry & ~3) | ((entry & 1) << 1) | ((entry >> 1) & 1));
}

template <int N>
struct Entries {
    AttributeEntry e[N];
};

template <int N>
constexpr Entries<N> MakeEntries(int fgBase, int bgBase)
{
    Entries<N> out{};
    for (int i = 0; i < N; ++i)
        out.e[i] = AttributeEntry{static_cast<u8>(fgBase + Combination(i)),
                                  static_cast<u8>(bgBase + Combination(i)),
                                  static_cast<u8>(i == 0 ? kEntryNoUseColours | kEntryForcesUseColours : 0)};
    return out;
}

constexpr Entries<16> kEmbedded = MakeEntries<16>(kWyColour350Fg, kWyColour350Bg);
constexpr Entries<32> kCharacter = MakeEntries<32>(kWyColour370Fg, kWyColour370Bg);

// A Wyse calls its intensity attribute "Dim".
constexpr u16 kDimLabel = 2219;
const AttributeElementList kEmbeddedList{
    2000,  16, WySetup.colours, kEmbedded.e, kFlagIntensity | kFlagUnderline | kFlagFlashing | kFlagInverse,
    false, 0,  nullptr,         false,       kDimLabel,
};
const AttributeElementList kCharacterList{
    2020,
    32,
    WySetup.colours,
    kCharacter.e,
    kFlagIntensity | kFlagUnderline | kFlagFlashing | kFlagInverse | kFlagHidden,
    false,
    0,
    nullptr,
    false,
    kDimLabel,
};

}  // namespace

const AttributeElementList* WyseAttributeList(u8 emulation)
{
    if (!IsWyseFamily(emulation))
        return nullptr;
    return emulation == kEmuWy60 ? &kCharacterList : &kEmbeddedList;
}

void WyseDefaultColoursToCopy()
{
    WyseDefaultAttrColours(true);
}
