// The TVI's part of the Setup dialog: its working copy, its screen elements on the
// Attributes page and the width chosen on the Terminal page.
#include <gtest/gtest.h>

#include <string>

#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/tvi/keys/fkeys.h"
#include "terminal/emulations/tvi/settings/tvidefaults.h"
#include "terminal/emulations/tvi/settings/tvisetup.h"
#include "terminal/settings/setup/attributelists.h"
#include "terminal/settings/setup/setupcopy.h"

namespace {

class TviSetupPart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearPushBackStacks();
        Tvi = TviState{};
        TviSetup = TviSetupCopy{};
        TviFactorySettings(kTviLive);
        Tvi.active = true;
        SetupCopy.emulation = kEmuTvi950;
    }
    void TearDown() override
    {
        Tvi.active = false;
        ClearPushBackStacks();
        SetupCopy.emulation = kDefaultEmulationId;
    }
    static std::string HostInput()
    {
        std::string s;
        for (int b; (b = PopHostByte()) >= 0;)
            s.push_back(static_cast<char>(b));
        return s;
    }
};

TEST_F(TviSetupPart, TheCopyIsFilledOnlyWhileTheEmulationRunsAndComesBackOnOk)
{
    const u16 text[] = {'k'};
    TviSetFunctionKey(4, text, 1, 2, kTviLiveKeys);
    Tvi.set.fillChar = '*';
    Tvi.set.lastColumn = 131;
    TviFamilySetup.fill();
    EXPECT_EQ(TviSetup.set.fillChar, '*');
    EXPECT_EQ(TviFunctionKeyFlags(4, kTviSetupKeys), 2);
    EXPECT_EQ(SetupCopy.columns132, 1);
    // OK: the copy goes back whole; going to 80 columns is the terminal's own command.
    TviSetup.set.fillChar = '-';
    SetupCopy.columns132 = 0;
    TviFamilySetup.apply();
    EXPECT_EQ(Tvi.set.fillChar, '-');
    EXPECT_EQ(HostInput(), "\x1b[=3l");
    EXPECT_EQ(Tvi.set.lastColumn, 131) << "until the host-data thread carries the command out";
    // An unchanged width sends nothing.
    TviFamilySetup.fill();
    SetupCopy.columns132 = 1;
    TviFamilySetup.apply();
    EXPECT_EQ(HostInput(), "");
    // Another emulation runs: the TVI's live settings are left alone.
    Tvi.active = false;
    TviSetup.set.fillChar = '?';
    TviFamilySetup.fill();
    TviFamilySetup.apply();
    EXPECT_EQ(Tvi.set.fillChar, '-');
}

// The list shows Normal, UL, IN, IN+UL ...; each entry edits its own combination's pair.
TEST_F(TviSetupPart, ScreenElementsEditTheirCombinationsColours)
{
    const AttributeElementList& list = AttributeListFor(kEmuTvi955);
    ASSERT_EQ(list.firstString, 2100);
    ASSERT_EQ(list.count, 16);
    EXPECT_NE(&AttributeListFor(kEmuVt100), &list);
    TviFamilySetup.fill();
    struct Case {
        u32 entry;
        int combination;
    };
    const Case cases[] = {{0, 0},
                          {1, kTviComboUnderline},
                          {2, kTviComboBold},
                          {6, kTviComboBlink | kTviComboBold},
                          {9, kTviComboReverse | kTviComboUnderline},
                          {15, 15}};
    for (const Case& c : cases) {
        LoadAttributeColourPair(c.entry);
        EXPECT_EQ(SetupColourPair[0], Tvi.colours.foreground[c.combination]) << c.entry;
        SetupColourPair[0] = static_cast<u16>(0x40 + c.entry);
        SetupColourPair[1] = static_cast<u16>(0x80 + c.entry);
        StoreAttributeColourPair(c.entry);
    }
    TviFamilySetup.applyColours();
    for (const Case& c : cases) {
        EXPECT_EQ(Tvi.colours.foreground[c.combination], 0x40 + c.entry) << c.entry;
        if (c.entry != 0) {
            EXPECT_EQ(Tvi.colours.background[c.combination], 0x80 + c.entry) << c.entry;
        }
    }
    EXPECT_EQ(Tvi.colours.background[0], 0) << "the normal pair's use-colours mark is not kept";
    // "&Default" gives the factory colours to the page.
    TviFamilySetup.defaultColours();
    LoadAttributeColourPair(2);
    EXPECT_EQ(SetupColourPair[0], TviFactoryAttrColours().foreground[kTviComboBold]);
}

}  // namespace
