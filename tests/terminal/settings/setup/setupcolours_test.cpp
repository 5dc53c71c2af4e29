// The attribute colours between the Setup working copy and the live table: each changed
// setting set through its own setter, the palette always rebuilt, the element list's
// entries and the factory colours "&Default" brings back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/doubles_settings.h"
#include "support/test_doubles.h"
#include "terminal/settings/setup/attributelists.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/setup/setupcolours.h"
#include "terminal/settings/setup/setupcopy.h"

namespace {

class SetupColours : public ::testing::Test {
protected:
    void SetUp() override
    {
        doubles::Reset();
        SetFactoryAttributeColours();
        SetupCopy.emulation = 2;
        FillAttributeColourCopy(SetupCopy.attributeColours);
        SetupScreenElement = 0;
        LoadAttributeColourPair(0);
        SetupCopy.coloursClearedWithAttributes = 1;
        Colours = ColourFlags{};
        doubles::Settings().paletteColours.clear();
    }
    static std::vector<int> Changed()
    {
        int slots[kAttributeCopySlots];
        const int n = ChangedAttributeColours(SetupCopy.attributeColours, slots);
        return std::vector<int>(slots, slots + n);
    }
    u16* W = SetupCopy.attributeColours;
};

TEST_F(SetupColours, OnlyTheSettingsEditedRunTheirSetters)
{
    EXPECT_TRUE(Changed().empty());
    const AttributeColours before = AttributeColourTable;
    W[kCopyBckFirst + 2] = 0x85;  // bckulbd
    EXPECT_EQ(Changed(), std::vector<int>{kCopyBckFirst + 2});
    W[kCopyFrgPalette] = 9;  // the ANSI palette's foreground half
    EXPECT_EQ(Changed(), (std::vector<int>{kCopyFrgPalette, kCopyBckFirst + 2}));
    SetupColourPair[0] = 9;  // the entry on the page ("Ansi Palette") is stored first
    ApplySetupColours();
    AttributeColours expected = before;
    expected.bck[3] = 0x85;
    expected.frgpalette = 9;
    EXPECT_EQ(std::memcmp(&expected, &AttributeColourTable, sizeof expected), 0);
    EXPECT_EQ(ColoursEditedFlag, 0);
}

TEST_F(SetupColours, NoEditSetsNothingAndStillRebuildsThePalette)
{
    const AttributeColours before = AttributeColourTable;
    ColoursEditedFlag = 1;
    ApplySetupColours();
    EXPECT_EQ(std::memcmp(&before, &AttributeColourTable, sizeof before), 0);
    EXPECT_EQ(doubles::Settings().paletteColours.size(), 16u);
    EXPECT_EQ(ColoursEditedFlag, 0);
    EXPECT_EQ(SettingsChangedFlag, 1);
    SettingsChangedFlag = 0;
}

TEST_F(SetupColours, TheScreenEntryIsOneColourForBothScreenSettings)
{
    SetupScreenElement = 2;  // "Screen"
    W[kCopyScreen] = 0x83;
    LoadAttributeColourPair(2);
    EXPECT_EQ(SetupColourPair[0], 0x83);
    EXPECT_EQ(SetupColourPair[1], 0x83);
    SetupColourPair[0] = 5;  // a foreground picked there is dropped
    SetupColourPair[1] = 0x84;
    ApplySetupColours();
    EXPECT_EQ(AttributeColourTable.bckscrn, 0x84);
    EXPECT_EQ(AttributeColourTable.frgscrn, 0x84);
    EXPECT_EQ(AttributeColourTable.frg[0], 7);
}

TEST_F(SetupColours, EntriesLeadToTheirSettings)
{
    const struct {
        u32 entry;
        u8* foreground;
        u8* background;
    } cases[] = {
        {1, &AttributeColourTable.frg[0], &AttributeColourTable.bck[0]},
        {3, &AttributeColourTable.frg[1], &AttributeColourTable.bck[1]},     // IN
        {7, &AttributeColourTable.frg[3], &AttributeColourTable.bck[3]},     // UL+IN
        {10, &AttributeColourTable.frg[12], &AttributeColourTable.bck[12]},  // IV+FL
        {17, &AttributeColourTable.frg[15], &AttributeColourTable.bck[15]},  // IV+FL+IN+UL
        {0, &AttributeColourTable.frgpalette, &AttributeColourTable.bckpalette},
    };
    for (const auto& c : cases) {
        SetUp();
        SetupScreenElement = c.entry;
        SetupColourPair[0] = 0x4B;
        SetupColourPair[1] = 0x86;
        ApplySetupColours();
        EXPECT_EQ(*c.foreground, 0x4B) << c.entry;
        EXPECT_EQ(*c.background, 0x86) << c.entry;
    }
    // An index beyond the list touches nothing.
    SetupColourPair[0] = 1;
    LoadAttributeColourPair(18);
    EXPECT_EQ(SetupColourPair[0], 1);
}

TEST_F(SetupColours, LabelsNameTheirAttributes)
{
    const struct {
        const wchar16* label;
        u8 flags;
    } cases[] = {
        {VXT("Normal"), 0},
        {VXT("Ansi Palette"), 0},
        {VXT("Intensity (IN)"), kFlagIntensity},
        {VXT("UL+IN"), kFlagUnderline | kFlagIntensity},
        {VXT("IV+FL+IN+UL"), kFlagInverse | kFlagFlashing | kFlagIntensity | kFlagUnderline},
        {VXT("Half-Bright (HB)"), kFlagIntensity},
        {VXT("FL+DI+UL"), kFlagFlashing | kFlagIntensity | kFlagUnderline},
        {VXT("Hidden(HI)"), kFlagHidden},
        {VXT("CS+UL+IN"), kFlagSeparator | kFlagUnderline | kFlagIntensity},
        {VXT("PR + IN"), kFlagIntensity},
        {VXT("Colour Pair 7"), 0},
        {VXT("INK"), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AttributeFlagsNamed(c.label), c.flags) << std::basic_string<wchar16>(c.label).size();
}

TEST_F(SetupColours, DefaultBringsBackTheFactoryTableAndPreferences)
{
    for (int slot = 0; slot < kAttributeCopySlots; ++slot)
        W[slot] = 0x5A;
    SetupCopy.boldFont = SetupCopy.swapBlackWhite = 1;
    SetupCopy.coloursClearedWithAttributes = 0;
    Colours.bwswap = 1;
    ResetEmulationColours();
    EXPECT_EQ(W[kCopyFrgFirst + 0], 7);
    EXPECT_EQ(W[kCopyFrgFirst + 3], 199);         // frgulbd
    EXPECT_EQ(W[kCopyFrgInverse + 15 - 8], 247);  // frgivflbdul
    EXPECT_EQ(W[kCopyScreen], 0);
    EXPECT_EQ(W[kCopyBckInverse + 3], 0);
    EXPECT_EQ(SetupCopy.boldFont, 0);
    EXPECT_EQ(SetupCopy.swapBlackWhite, 0);
    EXPECT_EQ(SetupCopy.coloursClearedWithAttributes, 1);
    // The factory palette without the black and white exchange; the setting stays.
    EXPECT_EQ(SetupPalette, FactoryVtPalette(false));
    EXPECT_EQ(Colours.bwswap, 1);
}

TEST_F(SetupColours, SwappingBlackAndWhiteTwiceRestoresThePalette)
{
    HlsPalette p = FactoryVtPalette(false);
    const HlsPalette factory = p;
    ASSERT_TRUE(SwapBlackWhite(p));
    EXPECT_EQ(p.entry[0], factory.entry[15]);
    EXPECT_EQ(p.entry[15], factory.entry[0]);
    ASSERT_TRUE(SwapBlackWhite(p));
    EXPECT_EQ(p, factory);
    for (HlsEntry& e : p.entry)
        e.lightness = 50;  // neither black nor white
    const HlsPalette grey = p;
    EXPECT_FALSE(SwapBlackWhite(p));
    EXPECT_EQ(p, grey);
}

}  // namespace
