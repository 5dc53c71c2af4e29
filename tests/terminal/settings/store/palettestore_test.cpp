// The VT palette as the profile stores it, read through the registry layer's double.
#include <gtest/gtest.h>

#include "support/doubles_registry.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/store/palettestore.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

void StoreField(const wchar16* name, std::initializer_list<u16> first, u16 rest)
{
    std::vector<u8> bytes;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const u16 unit = i < static_cast<int>(first.size()) ? first.begin()[i] : rest;
        bytes.push_back(static_cast<u8>(unit));
        bytes.push_back(static_cast<u8>(unit >> 8));
    }
    doubles::Registry().keys[VXT("COLOURS")][name] = doubles::RegistryValue{kRegBinary, bytes};
}

class PaletteStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        doubles::ResetRegistry();
        Colours = ColourFlags{};
        ResetAllColourSets(kLive);
        SavedItems.saveattrs = 1;
    }
    void TearDown() override
    {
        doubles::ResetRegistry();
        ResetAllColourSets(kLive);
    }
    static HKEY Colours_() { return doubles::RegistryKeyHandle(VXT("COLOURS")); }
};

TEST_F(PaletteStore, RecordsOutOfRangeKeepTheirFactoryColourAndTheRestLoad)
{
    const HlsPalette factory = FactoryVtPalette(false);
    // Entry 0 as a damaged profile had it (its conversion overflowed), entry 1 one past
    // each limit in turn, entries 2-15 a valid grey.
    StoreField(VXT("hue"), {65535, 361, 0, 360}, 0);
    StoreField(VXT("lightness"), {65330, 50, 101, 100}, 40);
    StoreField(VXT("saturation"), {65330, 50, 50, 100}, 0);
    LoadHlsPalette(Colours_());
    EXPECT_EQ(VtPalette.entry[0], factory.entry[0]);
    EXPECT_EQ(VtPalette.entry[1], factory.entry[1]);
    EXPECT_EQ(VtPalette.entry[2], factory.entry[2]);
    EXPECT_EQ(VtPalette.entry[3], (HlsEntry{360, 100, 100})) << "the limits themselves are colours";
    for (int i = 4; i < kPaletteEntries; ++i)
        EXPECT_EQ(VtPalette.entry[i], (HlsEntry{0, 40, 0})) << i;
}

TEST_F(PaletteStore, APaletteWithoutAllThreeFieldsIsTheFactoryOne)
{
    StoreField(VXT("hue"), {}, 200);
    StoreField(VXT("lightness"), {}, 20);
    LoadHlsPalette(Colours_());
    EXPECT_EQ(VtPalette, FactoryVtPalette(false));
}

}  // namespace
