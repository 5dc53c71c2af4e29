// The "HP70092" section: what a save stores, what a load takes back, and the stored values
// the reader refuses.
#include <gtest/gtest.h>

#include <string>

#include "hp700_fixture.h"
#include "support/doubles_registry.h"
#include "terminal/core/base/registry.h"
#include "terminal/emulations/hp700/lifecycle.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/settings/settings.h"
#include "terminal/emulations/hp700/settings/setupcopy.h"
#include "terminal/settings/store/setuptext.h"
#include "terminal/emulations/hp700/terminaltype.h"

namespace {

using Name = std::basic_string<wchar16>;

Name W(const char* text)
{
    return Name(text, text + std::char_traits<char>::length(text));
}

HKEY Section()
{
    return doubles::RegistryKeyHandle(VXT("HP70092"));
}

const doubles::RegistryKey& Stored()
{
    return doubles::Registry().keys[VXT("HP70092")];
}

void PutLabel(int key, const std::string& text)
{
    for (int c = 0; c < kHpUserKeyLabelUnits; ++c)
        Hp700UserKeyLabelLine(key).cells[c].ch = c < static_cast<int>(text.size()) ? static_cast<u8>(text[c]) : 0;
}

std::string Label(int key)
{
    std::string s;
    for (int c = 0; c < kHpUserKeyLabelUnits && Hp700UserKeyLabelLine(key).cells[c].ch; ++c)
        s.push_back(static_cast<char>(Hp700UserKeyLabelLine(key).cells[c].ch));
    return s;
}

void PutString(int key, const std::string& text)
{
    for (int c = 0; c < kHpUserKeyStringUnits; ++c)
        Hp700UserKeyStringLine(key).cells[c].ch = c < static_cast<int>(text.size()) ? static_cast<u8>(text[c]) : 0;
}

std::string String(int key)
{
    std::string s;
    for (int c = 0; c < kHpUserKeyStringUnits && Hp700UserKeyStringLine(key).cells[c].ch; ++c)
        s.push_back(static_cast<char>(Hp700UserKeyStringLine(key).cells[c].ch));
    return s;
}

class Hp700ProfileTest : public Hp700Test {
protected:
    void SetUp() override
    {
        Hp700Test::SetUp();
        doubles::ResetRegistry();
        KeepCurrentValues = 0;
    }
    void TearDown() override
    {
        KeepCurrentValues = 0;
        doubles::ResetRegistry();
        Hp700Test::TearDown();
    }
};

TEST_F(Hp700ProfileTest, FactorySettingsStoreOnlyTheUserKeys)
{
    Hp700WriteProfile(Section());
    for (const auto& [name, value] : Stored()) {
        const bool key = name.rfind(W("hp_pflabels"), 0) == 0 || name.rfind(W("hp_pfstrings"), 0) == 0;
        EXPECT_TRUE(key) << std::string(name.begin(), name.end());
    }
    // Every key's two lines, an empty string as one zero unit: the reader stops at the
    // first key missing.
    EXPECT_EQ(Stored().size(), 16u);
    // An unchanged key is stored with its factory string: f8 sends ESC w.
    EXPECT_EQ(Stored().at(W("hp_pfstrings8")).bytes, (std::vector<u8>{0x1B, 0, 'w', 0}));
}

TEST_F(Hp700ProfileTest, ChangedValuesRoundTrip)
{
    Hp700Settings& s = Hp700.settings;
    s.pages = 2;
    s.enqack = 0;
    s.blockterm = 3;
    s.width80 = 0;
    s.returndef[0] = 13;
    s.returndef[1] = 10;  // CR LF
    s.customId[0] = 'X';
    s.customId[1] = 'Y';
    s.hue[5] = 77;
    s.foreground[3] = 9;
    s.background[3] = 2;
    HpModel = 4;
    PutLabel(0, "f1 T LABEL  one");
    PutString(0, "ls -l\r");
    PutString(7, "last");
    Hp700WriteProfile(Section());
    EXPECT_EQ(Stored().count(W("hp_bell")), 0u);  // unchanged: not stored
    EXPECT_EQ(Stored().count(W("hp_pages")), 1u);

    Hp700.settings = Hp700Settings{};
    Hp700FactoryDefaults();
    for (HpLine& line : Hp700.userKeyLines)
        line = HpLine{};
    Hp700ReadProfile(Section());
    EXPECT_EQ(s.pages, 2);
    EXPECT_EQ(s.enqack, 0);
    EXPECT_EQ(s.blockterm, 3);
    EXPECT_EQ(s.width80, 0);
    EXPECT_EQ(s.returndef[1], 10);
    EXPECT_EQ(s.customId[1], 'Y');
    EXPECT_EQ(s.customId[2], 0);
    EXPECT_EQ(s.hue[5], 77);
    EXPECT_EQ(s.hue[4], 0);  // the other entries keep the factory palette
    EXPECT_EQ(s.light[4], 50);
    EXPECT_EQ(s.foreground[3], 9);
    EXPECT_EQ(s.background[3], 2);
    EXPECT_EQ(HpModel, 4);
    EXPECT_EQ(Label(0), "f1 T LABEL  one");
    EXPECT_EQ(String(0), "ls -l\r");
    EXPECT_EQ(String(7), "last");
    EXPECT_EQ(String(3), "\x1bs");  // an unchanged key keeps its factory string
}

// A stored page count outside 2..8 would ask for memory the terminal does not have.
TEST_F(Hp700ProfileTest, PageCountOutsideTwoToEightIsRefused)
{
    for (u32 stored : {0u, 1u, 9u, 300u, 0xFFFFFFFFu}) {
        SettingsWriteDword(Section(), VXT("hp_pages"), stored);
        Hp700.settings.pages = 6;
        KeepCurrentValues = 0;
        Hp700ReadProfile(Section());
        EXPECT_EQ(Hp700.settings.pages, kHpDefaultPages) << stored;
        KeepCurrentValues = 1;
        Hp700.settings.pages = 6;
        Hp700ReadProfile(Section());
        EXPECT_EQ(Hp700.settings.pages, 6) << stored;
    }
    // Setup's setter likewise.
    Hp700.settings.pages = 4;
    EXPECT_FALSE(Hp700SetMemoryPages(9));
    EXPECT_EQ(Hp700.settings.pages, 4);
}

TEST_F(Hp700ProfileTest, LabelsLoadUpToTheFirstKeyMissing)
{
    const std::vector<u16> label{'n', 'e', 'w'};
    for (const char* name : {"hp_pflabels1", "hp_pflabels2", "hp_pflabels4"})
        SettingsWriteBinary(Section(), W(name).c_str(), label.data(), 3);
    for (int k = 0; k < kHpUserKeys; ++k)
        PutLabel(k, "old");
    Hp700ReadProfile(Section());
    EXPECT_EQ(Label(0), "new");
    EXPECT_EQ(Label(1), "new");
    EXPECT_EQ(Label(2), "old");
    EXPECT_EQ(Label(3), "old");
}

TEST_F(Hp700ProfileTest, DamagedValuesAreRefusedOrCut)
{
    // A pair naming an entry beyond the palette is refused whole.
    const std::vector<u16> pairs{1, 2, 3, 4, 5, 6, 7, 16};
    SettingsWriteBinary(Section(), VXT("hp_foreground"), pairs.data(), 8);
    // A string ends at its first zero unit; a unit beyond a byte shows as a blank.
    const std::vector<u16> text{'a', 0x263A, 'b', 0, 'c'};
    SettingsWriteBinary(Section(), VXT("hp_pflabels1"), text.data(), 1);
    SettingsWriteBinary(Section(), VXT("hp_pfstrings1"), text.data(), 5);
    // An identity with a zero unit inside ends there (else saving would store less).
    const std::vector<u16> id{'A', 'B', 0, 'C'};
    SettingsWriteBinary(Section(), VXT("szCustomHPID"), id.data(), 4);
    Hp700ReadProfile(Section());
    EXPECT_EQ(Hp700.settings.foreground[7], 7);
    EXPECT_EQ(String(0), "a b");
    EXPECT_EQ(Hp700UserKeyStringLine(0).cells[4].ch, 0);
    EXPECT_EQ(Hp700.settings.customId[2], 0);
    EXPECT_EQ(Hp700.settings.customId[3], 0);
}

TEST_F(Hp700ProfileTest, RemoteIsStoredAgainstTheCoresLocalMode)
{
    Hp700.settings.remote = 1;
    Hp700WriteProfile(Section());
    EXPECT_EQ(Stored().count(W("hp_remote")), 0u);
    Hp700.settings.remote = 0;
    Hp700WriteProfile(Section());
    EXPECT_EQ(Stored().count(W("hp_remote")), 1u);
    // ESC E keeps the remote mode and destructive backspace, empties the identity.
    Hp700.settings.destbs = 1;
    Hp700.settings.customId[0] = 'Q';
    Hp700.settings.enqack = 0;
    Hp700FactoryDefaults();
    EXPECT_EQ(Hp700.settings.remote, 0);
    EXPECT_EQ(Hp700.settings.destbs, 1);
    EXPECT_EQ(Hp700.settings.customId[0], 0);
    EXPECT_EQ(Hp700.settings.enqack, 1);
}

// The engine's start reads the section and builds memory for its page count.
TEST_F(Hp700ProfileTest, StartReadsTheProfileSection)
{
    SettingsWriteDword(Section(), VXT("hp_pages"), 2);
    SettingsWriteDword(Section(), VXT("hp_enqack"), 0);
    Hp700StopEngine();
    ASSERT_TRUE(Hp700StartEngine());
    EXPECT_EQ(Hp700.pages, 2);
    EXPECT_EQ(Hp700.memoryLines, 48);
    EXPECT_EQ(Hp700.settings.enqack, 0);
    Hp700.settings.pages = 8;
    Hp700SaveSettings(0);
    EXPECT_EQ(SettingsReadDword(Section(), VXT("hp_pages"), 0, 0), 8u);
}

}  // namespace

namespace {

void SetCounted(wchar16* counted, const char* text, int n)
{
    wchar16 raw[8] = {};
    for (int i = 0; text[i]; ++i)
        raw[i] = static_cast<wchar16>(text[i]);
    EncodeSetupText(counted, raw, n);
}

void SetText(wchar16* text, const char* ascii)
{
    int i = 0;
    for (; ascii[i]; ++i)
        text[i] = static_cast<wchar16>(ascii[i]);
    text[i] = 0;
}

// The HP Settings page's working copy: what OK carries into the live settings.
TEST_F(Hp700ProfileTest, SetupCopyAppliesPagesRowsAndTexts)
{
    Hp700FillSetupCopy();
    EXPECT_EQ(Hp700Setup.pages, 1) << "4 pages";
    EXPECT_EQ(Hp700Setup.rows[kHpRowEnqAck], 1);
    Hp700Setup.pages = 0;  // "&2"
    Hp700Setup.rows[kHpRowEnqAck] = 0;
    SetCounted(Hp700Setup.startColumn, "5", kHpStartColumnChars);
    SetCounted(Hp700Setup.blockTerminator, "#", kHpSetupCharUnits);
    SetText(Hp700Setup.terminalId, "HP70094");
    Hp700Setup.model = 3;
    EXPECT_TRUE(Hp700ApplySetupCopy());
    EXPECT_EQ(Hp700.settings.pages, 2);
    EXPECT_EQ(Hp700.pages, 2);
    EXPECT_EQ(Hp700.memoryLines, 48);
    EXPECT_EQ(Hp700.settings.enqack, 0);
    EXPECT_EQ(Hp700.settings.startclmn, 4);
    EXPECT_EQ(Hp700.settings.blockterm, '#');
    EXPECT_EQ(HpModel, 3);
    EXPECT_EQ(Hp700.settings.customId[0], 0) << "a built-in name is the model, not an identity";

    // A start column outside 1..80 and an empty separator leave theirs; a text of its
    // own is the identity.
    Hp700FillSetupCopy();
    SetCounted(Hp700Setup.startColumn, "81", kHpStartColumnChars);
    SetCounted(Hp700Setup.fieldSeparator, "", kHpSetupCharUnits);
    SetText(Hp700Setup.terminalId, "MYTERM");
    EXPECT_FALSE(Hp700ApplySetupCopy()) << "the page count is unchanged";
    EXPECT_EQ(Hp700.settings.startclmn, 4);
    EXPECT_EQ(Hp700.settings.fieldsep, 31);
    EXPECT_EQ(Hp700.settings.customId[5], 'M');

    // Eight pages show as no choice and stay eight.
    ASSERT_TRUE(Hp700SetMemoryPages(8));
    Hp700FillSetupCopy();
    EXPECT_EQ(Hp700Setup.pages, 3);
    EXPECT_FALSE(Hp700ApplySetupCopy());
    EXPECT_EQ(Hp700.settings.pages, 8);
}

}  // namespace
