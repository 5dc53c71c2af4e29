// The "ZARA" section read and written value by value, the Setup working copy's apply
// with each personality's rules, and the colours a cell is painted with.
#include <gtest/gtest.h>

#include <cstring>

#include "support/doubles_registry.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/paint/rowlook.h"
#include "terminal/emulations/wyse/settings/setupcopy.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/settings/zara.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/core/base/registry.h"
#include "wyse_fixture.h"

namespace {

class Settings : public WyseTest {
protected:
    static HKEY Zara() { return doubles::RegistryKeyHandle(VXT("ZARA")); }
    static doubles::RegistryKey& Values() { return doubles::Registry().keys[VXT("ZARA")]; }
    static bool Stored(const wchar16* name) { return Values().count(name) != 0; }
    static u32 Dword(const wchar16* name)
    {
        u32 v = 0;
        const auto& bytes = Values()[name].bytes;
        if (bytes.size() == 4)
            std::memcpy(&v, bytes.data(), 4);
        return v;
    }
};

TEST_F(Settings, FactoryValuesWriteNothing)
{
    Start(kEmuWy60);
    WyseWriteSettings(Zara());
    EXPECT_TRUE(Values().empty()) << Values().size() << " values";
}

TEST_F(Settings, ValuesOutOfRangeTakeTheirFactoryValue)
{
    SettingsWriteDword(Zara(), VXT("wy_disp_size"), 30);
    SettingsWriteDword(Zara(), VXT("wy_multset"), 14);
    SettingsWriteDword(Zara(), VXT("wy_page_format"), 9);
    const u16 shortHue[15] = {};
    SettingsWriteBinary(Zara(), VXT("wy_350hue"), shortHue, 15);
    Start(kEmuWy50);
    EXPECT_EQ(WySet.dispSize, 24);
    EXPECT_EQ(WySet.multSet, 0);
    EXPECT_EQ(WySet.pageFormat, 0);
    EXPECT_EQ(WySet.palette350.entry[1].hue, kWyseLoadPalette350.entry[1].hue);
    EXPECT_EQ(WyStore.pageCount, 4);
}

TEST_F(Settings, TabStopsAreWrittenOnlyWhenTheyDiffer)
{
    Start(kEmuWy50);
    WyseWriteSettings(Zara());
    EXPECT_FALSE(Stored(VXT("wy_tabstops")));
    WySet.tabStops[5] = 'T';
    WyseWriteSettings(Zara());
    ASSERT_TRUE(Stored(VXT("wy_tabstops")));
    EXPECT_EQ(Values()[VXT("wy_tabstops")].bytes.size(), 132u * 2);
}

TEST_F(Settings, AttributeTypeAgainstThePersonalitysFactoryValue)
{
    Start(kEmuWy60);
    WyseWriteSettings(Zara());
    EXPECT_FALSE(Stored(VXT("wy_attr_type")));
    LeaveWyse();
    Start(kEmuWy50);
    WySet.attrType = 2;
    WyseWriteSettings(Zara());
    EXPECT_EQ(Dword(VXT("wy_attr_type")), 2u);
}

TEST_F(Settings, DeletedCrNullTurnsItBackOn)
{
    Start(kEmuWy50);
    WySet.crNull = 0;
    WyseWriteSettings(Zara());
    EXPECT_EQ(Dword(VXT("wy_crnull")), 0u);
    Values().erase(VXT("wy_crnull"));
    KeepCurrentValues = 1;
    WyseReadSettings(Zara());
    KeepCurrentValues = 0;
    EXPECT_EQ(WySet.crNull, 1u);
}

TEST_F(Settings, ApplyFollowsThePersonalitysRules)
{
    Start(kEmuTvi925);
    WyseFillSetupCopy();
    WySetup.lines = 3;  // 43
    WySetup.pageFormat = 2;
    WyseApplySetupCopy();
    EXPECT_EQ(WySet.dispSize, 24);
    EXPECT_EQ(WySet.pageFormat, 0);
    LeaveWyse();

    Start(kEmuWy60);
    WyseFillSetupCopy();
    WySetup.lines = 2;  // 42
    WyseApplySetupCopy();
    EXPECT_EQ(WySet.dispSize, 42);
    EXPECT_EQ(WyStore.rowsInUse, 44);
    EXPECT_EQ(WyStore.displaySize, 42);
    WyseWriteSettings(Zara());
    EXPECT_EQ(Dword(VXT("wy_disp_size")), 42u);
}

TEST_F(Settings, ApplyingTheStatusLineOnlyLaysTheLineOutAgain)
{
    Start(kEmuWy50);
    Feed("kept");
    WyseFillSetupCopy();
    WySetup.statusLine = 2;
    WyseApplySetupCopy();
    EXPECT_EQ(WySet.stat, 2);
    EXPECT_EQ(Text(0), "kept");
}

TEST_F(Settings, ChangedProtectedAttributeEndsTheProtectedColour)
{
    Start(kEmuWy50);
    WySet.useColour = 1;
    Feed(E("m8") + "\x22"
                   "0");
    EXPECT_TRUE(WyMode.write.protOverrideOn);
    WyseFillSetupCopy();
    WySetup.protReverse = 1;
    WyseApplySetupCopy();
    EXPECT_FALSE(WyMode.write.protOverrideOn);
}

// The embedded set after `tput -T wy350 is3` and `setf` 1-7: each X in the palette entry
// terminfo names blue, green, cyan, red, magenta, yellow and white.
TEST_F(Settings, ColourCodeAndSetfPickPaletteEntries)
{
    Start(kEmuWy50);
    WySet.useColour = 1;
    Feed(E("%?"));
    const char codes[7] = {'p', '8', 'x', '4', 't', '<', '0'};
    std::string text;
    for (char c : codes)
        text += E("G") + c + "X";
    Feed(text);
    WysePaintCell cells[kWyseCells];
    WyseRowLooks(1, 0, cells, 14);
    const int expected[7] = {1, 3, 5, 2, 4, 6, 7};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(cells[2 * i + 1].glyph, 'X');
        EXPECT_EQ(cells[2 * i + 1].foreground, expected[i]) << "setf " << i + 1;
        EXPECT_EQ(cells[2 * i + 1].background, 0);
    }
}

TEST_F(Settings, ProtectedCellsPaintDimWithFactoryColours)
{
    Start(kEmuWy50);
    Feed(E(")") + "P");
    WysePaintCell cells[2];
    WyseRowLooks(1, 0, cells, 2);
    EXPECT_EQ(cells[0].foreground, 15);
    EXPECT_EQ(cells[0].background, 0);
    EXPECT_EQ(cells[1].foreground, 7);  // the blank after it is not protected
}

TEST_F(Settings, EntryNotInUsePaintsAsNormalWithItsOwnEffects)
{
    Start(kEmuWy50);
    WySet.bg350[2] = 0x00;  // underline without colours of its own
    WySet.fg350[0] = 0x04;
    u8 rendition = kWyUnderline;
    const u8 colour = WyseAttributeColour350(rendition);
    EXPECT_EQ(colour & 0x0F, 4);
    EXPECT_TRUE(rendition & kWyUnderline);
    u8 bright = 0;
    WySet.fg350[0] = 0x87;  // intensity toggled
    EXPECT_EQ(WyseAttributeColour350(bright) & 0x0F, 15);
}

}  // namespace
