// The profile's "IBM3151" section and the Setup page's working fields.
#include "ibm3151_fixture.h"

#include "support/doubles_registry.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/keys/pfkeys.h"
#include "terminal/emulations/ibm3151/settings/profile3151.h"
#include "terminal/emulations/ibm3151/settings/setupbytes.h"

namespace {

const std::string kEsc = "\x1b";

doubles::RegistryKey& Section()
{
    return doubles::Registry().keys[VXT("IBM3151")];
}

TEST_F(I3151Test, AProfileWithoutValuesGivesTheDefaultsAndSavesNothing)
{
    EXPECT_EQ(I3151OperatingMode(), kI51Echo);
    EXPECT_EQ(I3151Turnaround(), 13);
    EXPECT_TRUE(I3151Palette == I3151FactoryPalette());
    I3151SaveSettings(0);
    EXPECT_TRUE(Section().empty());
}

TEST_F(I3151Test, ChangedBytesAreSavedAndLoadedBack)
{
    Feed(kEsc + "$9" + Bytes({0x2E, 0x33, 0x31, 0x40}) + kEsc + " 9B");  // turnaround ETX, Block mode
    I3151.terminalId[0] = u'Q';
    I3151SaveSettings(0);
    EXPECT_EQ(Section().size(), 3u) << "i51_c1pa1, i51_c5pa4 and i51_termID";
    I3151LoadSettings();
    EXPECT_EQ(I3151Turnaround(), 3);
    EXPECT_TRUE(I3151IsBlockMode());
    // A stored byte that lost its fixed bits gets them back.
    const u32 stripped = 0x02;
    Section()[VXT("i51_c1pa2")] = doubles::RegistryValue{kRegDword, {stripped, 0, 0, 0}};
    I3151LoadSettings();
    EXPECT_EQ(I3151.setup[0], 0x42);
}

// Clearing every PF key and saving removes the keys from the profile, so they do not
// come back at the next start.
TEST_F(I3151Test, PfKeysClearedBeforeASaveAreDeleted)
{
    Feed(kEsc + "!=A0abc" + kEsc + "=");
    I3151SaveSettings(0);
    EXPECT_EQ(Section().count(VXT("i51_pf_area1")), 1u);
    EXPECT_EQ(Section().count(VXT("i51_pf_area36")), 1u);
    Feed(kEsc + " t");
    I3151SaveSettings(0);
    for (const auto& [name, value] : Section())
        EXPECT_NE(name.rfind(VXT("i51_pf_area"), 0), 0u) << "no PF key value stays";
    I3151ClearAllPfKeys();
    I3151LoadSettings();
    EXPECT_FALSE(I3151AnyPfKeyDefined());
}

TEST_F(I3151Test, APartOfAPaletteGivesTheFactoryColours)
{
    u16 hue[16] = {};
    hue[1] = 77;
    Section()[VXT("hue")] = doubles::RegistryValue{kRegBinary,
                                                   {reinterpret_cast<u8*>(hue), reinterpret_cast<u8*>(hue) + 32}};
    I3151LoadSettings();
    EXPECT_TRUE(I3151Palette == I3151FactoryPalette());
}

TEST_F(I3151Test, SetupFieldsPackIntoTheBytes)
{
    Feed("text");
    I3151UnpackSetupBytes();
    EXPECT_EQ(I3151Setup.turnaround, 1);
    EXPECT_EQ(I3151Setup.forcingInsert, 3);
    I3151Setup.turnaround = 0;  // ETX
    I3151Setup.mode = kI51Block;
    I3151PackSetupBytes();
    EXPECT_EQ(I3151.setup[9], 92);
    EXPECT_EQ(I3151Turnaround(), 3);
    EXPECT_EQ(PageRow(0), "") << "a new operating mode clears the page";
    I3151Setup.format = 3;
    I3151PackSetupBytes();
    EXPECT_EQ(I3151.rows, 25);
    EXPECT_EQ(I3151.lastColumn, 131);
    EXPECT_EQ(I3151.pageCount, 1);
    I3151DefaultSetupFields();
    EXPECT_EQ(I3151Setup.turnaround, 1);
    EXPECT_EQ(I3151Setup.mode, 0);
}

}  // namespace
