// The "TVI955" profile section: only what differs from the factory is stored, what is
// stored comes back, and stored geometry the terminal cannot show gives the defaults.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/doubles_registry.h"
#include "terminal/emulations/tvi/keys/editkeys.h"
#include "terminal/emulations/tvi/keys/fkeys.h"
#include "terminal/emulations/tvi/settings/tvidefaults.h"
#include "terminal/emulations/tvi/settings/tviprofile.h"

namespace {

using Name = std::basic_string<wchar16>;

doubles::RegistryKey& Section()
{
    return doubles::Registry().keys[VXT("TVI955")];
}

void PutDword(const Name& name, u32 value)
{
    Section()[name] = doubles::RegistryValue{kRegDword,
                                             {static_cast<u8>(value), static_cast<u8>(value >> 8),
                                              static_cast<u8>(value >> 16), static_cast<u8>(value >> 24)}};
}

void PutUnits(const Name& name, const std::vector<u16>& units)
{
    std::vector<u8> bytes;
    for (u16 u : units) {
        bytes.push_back(static_cast<u8>(u));
        bytes.push_back(static_cast<u8>(u >> 8));
    }
    Section()[name] = doubles::RegistryValue{kRegBinary, bytes};
}

std::string Key(int key)
{
    int length = 0;
    const u16* text = TviFunctionKeyText(key, kTviLiveKeys, &length);
    return std::string(text, text + length);
}

class TviProfile : public ::testing::Test {
protected:
    void SetUp() override
    {
        doubles::ResetRegistry();
        Tvi = TviState{};
        TviSetup = TviSetupCopy{};
        TviFactorySettings(kTviLive);
        Tvi.active = true;
    }
    void TearDown() override { Tvi.active = false; }
};

TEST_F(TviProfile, FactoryValuesWriteNothing)
{
    SaveTviSettings(0);
    EXPECT_TRUE(Section().empty());
    // Values left from an earlier save that are back at their factory value go.
    PutDword(VXT("npages"), 2);
    PutUnits(VXT("FKey07"), {1, 'x'});
    SaveTviSettings(0);
    EXPECT_TRUE(Section().empty());
    // Bit 0 of the options is never stored.
    Tvi.set.options |= kTviOptRunTime;
    SaveTviSettings(0);
    EXPECT_TRUE(Section().empty());
}

TEST_F(TviProfile, AProfileWithOneKeyLoadsItAndTheFactoryKeys)
{
    PutUnits(VXT("FKey05"), {3, 'h', 'i'});
    // The live keys were changed by the host before the profile is read again.
    const u16 x[] = {'x'};
    TviSetFunctionKey(2, x, 1, 1, kTviLiveKeys);
    LoadTviSettings();
    EXPECT_EQ(Key(5), "hi");
    EXPECT_EQ(TviFunctionKeyFlags(5, kTviLiveKeys), 3);
    for (int k = 0; k < kTviFunctionKeys; ++k)
        EXPECT_EQ(TviFunctionKeyIsFactory(k, kTviLiveKeys), k != 5) << k;
}

TEST_F(TviProfile, ChangedValuesAreSavedAndComeBack)
{
    Tvi.set.pages = 2;
    Tvi.set.rowsPerPage = 48;
    Tvi.set.lastColumn = 131;
    Tvi.set.fillChar = '.';
    Tvi.set.options = kTviOptRunTime | kTviOptNoPosition | kTviOptEditSet;
    Tvi.set.terms[0] = '|';
    Tvi.colours.foreground[5] = 0x93;
    Tvi.palette.entry[3].hue = 17;
    TviSetEditKey(7, 'a', 'b', 0, kTviLiveKeys);
    const u16 text[] = {'d', 'i', 'r'};
    TviSetFunctionKey(32, text, 3, 2, kTviLiveKeys);
    SaveTviSettings(0);
    for (const wchar16* name :
         {VXT("npages"), VXT("rowsperpage"), VXT("dspwdth"), VXT("repchar"), VXT("opt"), VXT("Terms"),
          VXT("frgflbd"), VXT("hue"), VXT("lightness"), VXT("EKeys0"), VXT("FKey32")})
        EXPECT_EQ(Section().count(name), 1u) << std::string(name, name + Name(name).size());
    EXPECT_EQ(Section().count(VXT("EKeys1")), 0u);
    EXPECT_EQ(Section().count(VXT("FKey00")), 0u);
    EXPECT_EQ(Section()[VXT("opt")].bytes[0], kTviOptNoPosition | kTviOptEditSet);

    const TviState saved = Tvi;
    TviFactorySettings(kTviLive);
    LoadTviSettings();
    EXPECT_EQ(Tvi.set.pages, 2);
    EXPECT_EQ(Tvi.set.rowsPerPage, 48);
    EXPECT_EQ(Tvi.set.lastColumn, 131);
    EXPECT_EQ(Tvi.set.fillChar, '.');
    EXPECT_EQ(Tvi.set.options, kTviOptNoPosition | kTviOptEditSet);
    EXPECT_EQ(Tvi.set.terms[0], '|');
    EXPECT_EQ(Tvi.colours.foreground[5], 0x93);
    EXPECT_TRUE(Tvi.palette == saved.palette);
    EXPECT_EQ(Tvi.editKeys.units[7][1], 'b');
    EXPECT_EQ(Key(32), "dir");
    // The running terminal's option bit 0 keeps the options it has.
    Tvi.set.options = kTviOptRunTime;
    LoadTviSettings();
    EXPECT_EQ(Tvi.set.options, kTviOptRunTime);
}

TEST_F(TviProfile, KeysAreSavedOnlyWhileTheUserKeepsThem)
{
    const u16 text[] = {'q'};
    TviSetFunctionKey(1, text, 1, 1, kTviLiveKeys);
    Tvi.set.saveFunctionKeys = 0;
    SaveTviSettings(0);
    EXPECT_EQ(Section().count(VXT("FKey01")), 0u);
    EXPECT_EQ(Section().count(VXT("savefk")), 1u);
    Tvi.set.saveFunctionKeys = 1;
    SaveTviSettings(0);
    EXPECT_EQ(Section().count(VXT("FKey01")), 1u);
}

// Stored geometry the terminal cannot reach would index past its 100 lines and 134 cells
// or divide by zero pages: each such value gives its default, the others stay.
TEST_F(TviProfile, UnreachableGeometryGivesTheDefaults)
{
    struct Case {
        const wchar16* name;
        u32 stored;
        int TviSettings::*field;
        int expected;
    };
    // clang-format off
    const Case cases[] = {
        {VXT("npages"),      0,    &TviSettings::pages,         4},
        {VXT("npages"),      3,    &TviSettings::pages,         4},
        {VXT("npages"),      1,    &TviSettings::pages,         1},
        {VXT("rowsperpage"), 200,  &TviSettings::rowsPerPage,   24},
        {VXT("rowsperpage"), 48,   &TviSettings::rowsPerPage,   24},
        {VXT("dspheight"),   90,   &TviSettings::displayHeight, 23},
        {VXT("dspheight"),   0xFFFFFFFF, &TviSettings::displayHeight, 23},
        {VXT("dspheight"),   20,   &TviSettings::displayHeight, 20},
        {VXT("dspwdth"),     500,  &TviSettings::lastColumn,    79},
        {VXT("dspwdth"),     80,   &TviSettings::lastColumn,    79},
        {VXT("dspwdth"),     131,  &TviSettings::lastColumn,    131},
        {VXT("toprow"),      5000, &TviSettings::topRow,        97},
        {VXT("toprow"),      50,   &TviSettings::topRow,        97},
        {VXT("toprow"),      0,    &TviSettings::topRow,        0},
        {VXT("toprow"),      99,   &TviSettings::topRow,        99},
        {VXT("btmrow"),      100,  &TviSettings::bottomRow,     96},
        {VXT("btmrow"),      0,    &TviSettings::bottomRow,     96},
        {VXT("btmrow"),      98,   &TviSettings::bottomRow,     98},
    };
    // clang-format on
    for (const Case& c : cases) {
        SetUp();
        PutDword(c.name, c.stored);
        LoadTviSettings();
        EXPECT_EQ(Tvi.set.*c.field, c.expected)
            << std::string(c.name, c.name + Name(c.name).size()) << " " << c.stored;
        EXPECT_EQ(Tvi.set.rowsPerPage * Tvi.set.pages, kTviPageLines);
    }
    // All of them at once, as a damaged profile has them.
    SetUp();
    PutDword(VXT("npages"), 0);
    PutDword(VXT("rowsperpage"), 200);
    PutDword(VXT("dspheight"), 90);
    PutDword(VXT("dspwdth"), 500);
    PutDword(VXT("toprow"), 5000);
    LoadTviSettings();
    const TviSettings factory;
    EXPECT_EQ(Tvi.set.pages, factory.pages);
    EXPECT_EQ(Tvi.set.rowsPerPage, factory.rowsPerPage);
    EXPECT_EQ(Tvi.set.displayHeight, factory.displayHeight);
    EXPECT_EQ(Tvi.set.lastColumn, factory.lastColumn);
    EXPECT_EQ(Tvi.set.topRow, factory.topRow);
}

TEST_F(TviProfile, TablesOfTheWrongSizeAndPartPalettesGiveTheFactoryValues)
{
    PutUnits(VXT("Terms"), {'a', 'b'});
    PutUnits(VXT("EKeys1"), std::vector<u16>(59, 'e'));
    PutUnits(VXT("hue"), std::vector<u16>(16, 5));
    PutUnits(VXT("lightness"), std::vector<u16>(16, 5));
    LoadTviSettings();
    EXPECT_EQ(Tvi.set.terms[0], 0x1C);
    EXPECT_EQ(Tvi.editKeys.units[20][0], 0x1A);
    EXPECT_TRUE(Tvi.palette == TviFactoryPalette(false));
    PutUnits(VXT("saturation"), std::vector<u16>(16, 5));
    LoadTviSettings();
    EXPECT_EQ(Tvi.palette.entry[9].saturation, 5);
    // Option bit 1 blanks both status rows.
    PutDword(VXT("opt"), kTviOptBlankStatus | kTviOptEditSet);
    LoadTviSettings();
    EXPECT_EQ(Tvi.set.topRow, kTviBlankLine);
    EXPECT_EQ(Tvi.set.bottomRow, kTviBlankLine);
}

TEST_F(TviProfile, NothingIsReadOrWrittenWhileAnotherEmulationRuns)
{
    Tvi.active = false;
    PutDword(VXT("repchar"), '#');
    LoadTviSettings();
    EXPECT_EQ(Tvi.set.fillChar, 0);
    Tvi.set.fillChar = '!';
    Section().clear();
    SaveTviSettings(0);
    EXPECT_TRUE(Section().empty());
}

}  // namespace
