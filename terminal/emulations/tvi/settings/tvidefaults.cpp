#include "terminal/emulations/tvi/settings/tvidefaults.h"

#include <utility>

#include "terminal/core/paint/palette.h"
#include "terminal/emulations/tvi/keys/editkeys.h"
#include "terminal/emulations/tvi/keys/fkeys.h"
#include "terminal/settings/store/colours.h"

namespace {

// A foreground byte: the colour index in its low nibble; 0x80 the bright half of the
// palette, 0x40 underline drawn, 0x20 reverse shown, 0x10 blinks.
constexpr u8 kBright = 0x80, kUnderlined = 0x40, kReversed = 0x20, kBlinks = 0x10;
constexpr u8 kWhite = 7;

// clang-format off
constexpr HlsPalette kFactoryPalette{{
    {0, 0, 0},      {0, 50, 100},   {120, 50, 100}, {240, 50, 100},
    {60, 50, 100},  {300, 50, 100}, {180, 50, 100}, {0, 100, 100},
    {0, 50, 0},     {0, 50, 50},    {120, 50, 50},  {240, 50, 50},
    {50, 50, 50},   {300, 30, 50},  {180, 30, 50},  {0, 75, 0},
}};
// clang-format on

TviAttrColours& ColoursOf(int target)
{
    return target == kTviSetupCopy ? TviSetup.colours : Tvi.colours;
}

HlsPalette& PaletteOf(int target)
{
    return target == kTviSetupCopy ? TviSetup.palette : Tvi.palette;
}

template <typename T>
bool OneOf(T value, std::initializer_list<T> allowed)
{
    for (T a : allowed)
        if (a == value)
            return true;
    return false;
}

}  // namespace

TviAttrColours TviFactoryAttrColours()
{
    TviAttrColours c;
    for (int combo = 0; combo < 16; ++combo) {
        u8 f = kWhite;
        if (combo & kTviComboBold)
            f |= kBright;
        if (combo & kTviComboUnderline)
            f |= kUnderlined;
        if (combo & kTviComboBlink)
            f |= kBlinks;
        if (combo & kTviComboReverse)
            f |= kReversed;
        c.foreground[combo] = f;
        c.background[combo] = 0;
    }
    return c;
}

HlsPalette TviFactoryPalette(bool bwswap)
{
    HlsPalette p = kFactoryPalette;
    if (bwswap)
        std::swap(p.entry[0], p.entry[7]);
    return p;
}

void TviDefaultAttrColours(int target)
{
    ColoursOf(target) = TviFactoryAttrColours();
}

void TviDefaultPalette(int target)
{
    PaletteOf(target) = TviFactoryPalette(Colours.bwswap != 0);
    if (target == kTviLive && Tvi.active)
        ApplyHlsPalette(Tvi.palette);
}

void TviFactorySettings(int target)
{
    const int keys = target == kTviSetupCopy ? kTviSetupKeys : kTviLiveKeys;
    TviSettings& set = target == kTviSetupCopy ? TviSetup.set : Tvi.set;
    set = TviSettings{};
    TviDefaultFunctionKeys(keys);
    TviDefaultEditKeys(keys);
    TviDefaultAttrColours(target);
    TviDefaultPalette(target);
}

void TviCheckGeometry(TviSettings& set)
{
    const TviSettings factory;
    if (!OneOf(set.pages, {1, 2, 4}))
        set.pages = factory.pages;
    // The pages share the 96 lines of page memory: their size follows from their number.
    set.rowsPerPage = kTviPageLines / set.pages;
    if (!OneOf(set.lastColumn, {79, 131}))
        set.lastColumn = factory.lastColumn;
    // The display rows sit between the top and bottom rows of the 26-row window and never
    // show more than the smallest page holds.
    if (set.displayHeight < 0 || set.displayHeight > kTviWindowRows - 3)
        set.displayHeight = factory.displayHeight;
    // The status rows show the blank line, the status line or a user line; the top row
    // may also show none (0).
    if (set.topRow != 0 && (set.topRow < kTviBlankLine || set.topRow > kTviUserLine2))
        set.topRow = factory.topRow;
    if (set.bottomRow < kTviBlankLine || set.bottomRow > kTviUserLine2)
        set.bottomRow = factory.bottomRow;
}
