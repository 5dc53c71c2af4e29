// The colour sets returning to factory values and the palette reaching the terminal.
#include <gtest/gtest.h>

#include "support/doubles_settings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/paint/palette.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"

namespace {

class ColourDefaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        Colours = ColourFlags{};
        VtColourOrderFlag = 0;
        SetupDialogOpen = 0;
        ProfileLoadInProgress = 0;
        doubles::Settings() = doubles::SettingsDouble{};
    }
    void TearDown() override
    {
        VtColourOrderFlag = 0;
        SetVtFactoryPalette(kLive);
        SetVtAnsiFactoryPalette(kLive);
        ProfileLoadInProgress = 0;
    }
};

TEST_F(ColourDefaults, PaletteShownIsTheOneTheColourOrderSelects)
{
    SetVtFactoryPalette(kLive);
    SetVtAnsiFactoryPalette(kLive);
    VtPalette.entry[9] = {120, 30, 50};
    ApplyColourPalette();
    const auto& calls = doubles::Settings().paletteColours;
    ASSERT_EQ(calls.size(), 16u);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(calls[i].index, i);
    EXPECT_EQ((std::vector<int>{calls[1].red, calls[1].green, calls[1].blue}), (std::vector<int>{0, 0, 100}));
    EXPECT_EQ((std::vector<int>{calls[9].red, calls[9].green, calls[9].blue}), (std::vector<int>{44, 14, 14}));

    VtColourOrderFlag = 1;  // ANSI order: entry 1 is red
    doubles::Settings().paletteColours.clear();
    ApplyColourPalette();
    const auto& ansi = doubles::Settings().paletteColours;
    ASSERT_EQ(ansi.size(), 16u);
    EXPECT_EQ((std::vector<int>{ansi[1].red, ansi[1].green, ansi[1].blue}), (std::vector<int>{100, 0, 0}));
}

TEST_F(ColourDefaults, ResetTouchesTheActiveSetUnlessReloading)
{
    VtPalette.entry[2] = VtAnsiPalette.entry[2] = {1, 2, 3};
    ResetAllColourSets(kLive);
    EXPECT_EQ(VtPalette, FactoryVtPalette(false));
    EXPECT_EQ(VtAnsiPalette.entry[2], (HlsEntry{1, 2, 3}));  // not the one shown
    EXPECT_EQ(SetupPalette, VtPalette);                      // Setup copies what is shown

    ProfileLoadInProgress = 1;  // a full reload resets every set
    ResetAllColourSets(kLive);
    EXPECT_EQ(VtAnsiPalette, kFactoryVtAnsiPalette);

    SetupDialogOpen = 1;  // an open Setup keeps its own copy
    SetupPalette.entry[0] = {9, 9, 9};
    ResetAllColourSets(kLive);
    EXPECT_EQ(SetupPalette.entry[0], (HlsEntry{9, 9, 9}));
    SetupDialogOpen = 0;
}

}  // namespace
