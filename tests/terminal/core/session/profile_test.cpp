// The profile store against the test prefix's registry: what a save writes (and
// leaves out), the load's two passes and value rules, and the sections it keeps.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/session/sessionprofile.h"
#include "terminal/settings/regfixture.h"

#include "terminal/core/base/language.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/startopts.h"
#include "terminal/emulations/dec/keys/keysequences.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

using namespace regtest;

const std::wstring kProfile = L"Profiles\\P";

std::wstring In(const wchar_t* section)
{
    return kProfile + L"\\" + section;
}

class ProfileStore : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        CopyText(Slots.profileName, kSlotUnits, L"P");
        StartupOptions = StartupOptionValues{};
        MainWindowHandle = nullptr;  // no window: the placement is not saved
        EmulationId = 2;
        ProfileLoadInProgress = 0;
        Factory();
        PerUserProfile = 1;
        AdministratorMode = 1;
        SettingsSelectRoot(1);
    }

    static void Factory()
    {
        SavedItems = SavedItemFlags{1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
        Colours = ColourFlags{};
        VtColourOrderFlag = 0;
        SetFactoryColours();
        // The screen store at its start sizes: 528 lines, 24 rows on a 24-line page.
        if (!Screen.lines) {
            ASSERT_TRUE(AllocScreenStore());
        }
        Screen.maxLineCount = kDefaultStoreLines;
        ASSERT_TRUE(SetScreenLineCount(kDefaultStoreLines));
        Screen.rows = Screen.pageLength = kDefaultRows;
        SetFactoryConnection();
        SetFactoryPrinting();
        SetFactoryValues(kAuxValues);
        SetFactoryVt300();
        InstallVtDefaultKeys();
    }

    static void Save()
    {
        SaveProfile();
        SettingsSelectRoot(PerUserProfile);
    }

    static void SetText(wchar16* field, int capacity, const wchar_t* text) { CopyText(field, capacity, text); }
};

TEST_F(ProfileStore, UntouchedProfileWritesItsSectionsAndAlmostNoValues)
{
    Save();
    for (const wchar_t* section :
         {L"SAVEDITEMS", L"COLOURS", L"WINDOW", L"CONNECTION", L"PRINTING", L"AUX", L"VT300"}) {
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, In(section))) << section;
        if (std::wstring(section) != L"PRINTING") {
            EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, In(section)), std::vector<std::wstring>{}) << section;
        }
    }
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, In(L"PRINTING")), Sorted({L"PMPrinter", L"PMPort"}));
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, In(L"PRINTING"), L"PMPrinter"), L"");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProfile));
}

TEST_F(ProfileStore, ChangedValuesAreWrittenAloneAndLoadBack)
{
    TerminalId = 3;
    Vt300Values.curstyle = 2;
    Vt300Values.ansi386_upss = 0xF0;  // a byte-wide value is stored sign-extended
    ConnectionValues.comdevice = 2;
    Connection.telnetPort = 2323;
    SetText(Connection.terminalTypeName, kHostNameUnits, L"vt220");
    AttributeColourTable.frg[5] = 0x12;
    SavedItems.saverows = 0;
    PrintingValues.ScaleFactor = 150;
    SetText(AuxValues.Port, kPortNameUnits, L"COM2");
    ASSERT_TRUE(SetScreenLineCount(300));
    Vt300Values.tabstops[3] = L'T';
    Save();

    struct Row {
        const wchar_t* section;
        std::vector<std::wstring> names;
    } rows[] = {
        {L"VT300", {L"termid", L"curstyle", L"ansi386_upss", L"tabstops"}},
        {L"CONNECTION", {L"comdevice", L"iTelnetPortNum", L"iTelnetName"}},
        {L"COLOURS", {L"frgflbd"}},
        {L"SAVEDITEMS", {L"saverows"}},
        {L"PRINTING", {L"ScaleFactor", L"PMPrinter", L"PMPort"}},
        {L"AUX", {L"Port"}},
        {L"WINDOW", {L"obsize"}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, In(r.section)), Sorted(r.names)) << r.section;
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"VT300"), L"ansi386_upss"), 0xFFFFFFF0u);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"COLOURS"), L"frgflbd"), 0x12u);
    std::wstring stops = ReadText(HKEY_CURRENT_USER, In(L"VT300"), L"tabstops");
    ASSERT_EQ(stops.size(), 132u);
    EXPECT_EQ(stops.substr(0, 10), L"T  T    T ");

    Factory();
    LoadProfile();
    EXPECT_EQ(TerminalId, 3);
    EXPECT_EQ(PaintSettings.cursorStyle.load(), 2);  // the painter follows the loaded setting
    EXPECT_EQ(Vt300Values.ansi386_upss, 0xF0);
    EXPECT_EQ(ConnectionValues.comdevice, 2);
    EXPECT_EQ(Connection.telnetPort, 2323u);
    EXPECT_STREQ(Connection.terminalTypeName, L"vt220");
    EXPECT_EQ(AttributeColourTable.frg[5], 0x12);
    EXPECT_EQ(SavedItems.saverows, 0);
    EXPECT_EQ(PrintingValues.ScaleFactor, 150u);
    EXPECT_STREQ(AuxValues.Port, L"COM2");
    EXPECT_EQ(Screen.maxLineCount, 300);  // the store's size at the next initialisation
    EXPECT_EQ(Vt300Values.tabstops[3], L'T');
}

TEST_F(ProfileStore, MachineValuesApplyAndUserValuesOverride)
{
    SeedDword(HKEY_LOCAL_MACHINE, In(L"VT300"), L"autowrap", 1);
    SeedDword(HKEY_LOCAL_MACHINE, In(L"VT300"), L"dspwdth", 131);
    SeedDword(HKEY_CURRENT_USER, In(L"VT300"), L"dspwdth", 99);
    SeedText(HKEY_LOCAL_MACHINE, In(L"CONNECTION"), L"netname", L"machine-host");
    SeedText(HKEY_CURRENT_USER, In(L"CONNECTION"), L"netname", L"");  // clears in the user pass
    SelectProfileRoot(L"P");
    ASSERT_EQ(PerUserProfile, 1u);
    ASSERT_EQ(ReloadCurrentProfile(), 1);
    EXPECT_EQ(Vt300Values.autowrap, 1);
    EXPECT_EQ(Vt300Values.dspwdth, 99);
    EXPECT_STREQ(Connection.netname, L"");
    EXPECT_EQ(KeepCurrentValues, 1u);

    // An administrator's machine-wide profile is read in the machine pass only.
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorlan");
    SelectProfileRoot(L"P");
    ASSERT_EQ(PerUserProfile, 0u);
    Factory();
    LoadProfile();
    EXPECT_EQ(Vt300Values.dspwdth, 131);
    EXPECT_STREQ(Connection.netname, L"machine-host");
    EXPECT_EQ(KeepCurrentValues, 0u);
}

TEST_F(ProfileStore, HostNamesAreSavedPacked)
{
    struct Row {
        const wchar_t* names[4];
        u32 rollover;
        const wchar_t* stored[4];  // nullptr: not written
    } rows[] = {
        {{L"", L"b", L"c", L""}, 0, {L"b", L"c", L"", nullptr}},
        {{L"", L"b", L"c", L""}, 1, {nullptr, L"b", L"c", nullptr}},
        {{L"a", L"", L"", L"d"}, 0, {L"a", L"d", nullptr, L""}},
        {{L"", L"", L"", L""}, 1, {nullptr, nullptr, nullptr, nullptr}},
    };
    for (const Row& r : rows) {
        for (int i = 0; i < 4; ++i)
            SetText(i == 0 ? ConnectionValues.netname1 : Connection.rollover[i - 1], kProfileHostUnits,
                    r.names[i]);
        Connection.hostrollover = r.rollover;
        Save();
        for (int i = 0; i < 4; ++i) {
            const std::wstring name = L"netname" + std::to_wstring(i + 1);
            EXPECT_EQ(ReadText(HKEY_CURRENT_USER, In(L"CONNECTION"), name.c_str()),
                      r.stored[i] ? r.stored[i] : L"<absent>")
                << name << " rollover " << r.rollover;
        }
    }
}

TEST_F(ProfileStore, StoredSizesAreValidated)
{
    struct Row {
        DWORD obsize, dbsize, dasize;
        u8 termid;
        i32 lines, page, rows;
    } rows[] = {
        {0, 24, 24, 8, 144, 24, 24},    // obsize out of range: 144 for a paging terminal
        {600, 24, 24, 3, 528, 24, 24},  // above the history maximum: the maximum
        {300, 10, 24, 3, 300, 24, 24},  // dbsize below 24
        {300, 24, 30, 3, 300, 24, 24},  // dasize above dbsize
        {300, 48, 30, 3, 300, 48, 30},
    };
    for (const Row& r : rows) {
        SeedDword(HKEY_CURRENT_USER, In(L"WINDOW"), L"obsize", r.obsize);
        SeedDword(HKEY_CURRENT_USER, In(L"WINDOW"), L"dbsize", r.dbsize);
        SeedDword(HKEY_CURRENT_USER, In(L"WINDOW"), L"dasize", r.dasize);
        // WINDOW is read before VT300 in each pass: the terminal id that counts is the
        // one the machine pass gave.
        SeedDword(HKEY_LOCAL_MACHINE, In(L"VT300"), L"termid", r.termid);
        Factory();
        LoadProfile();
        EXPECT_EQ(Screen.maxLineCount, r.lines) << r.obsize;
        EXPECT_EQ(Screen.pageLength, r.page) << r.dbsize;
        EXPECT_EQ(Screen.rows, r.rows) << r.dasize;
    }
    StartupOptions.scrollBar = 0;  // no scroll-back: every size becomes the rows
    LoadProfile();
    EXPECT_EQ(Screen.maxLineCount, 30);
    EXPECT_EQ(Screen.pageLength, 30);
}

TEST_F(ProfileStore, LineEndListsAreBoundedByTheirCount)
{
    SeedDword(HKEY_CURRENT_USER, In(L"VT300"), L"edit_eob_cnt", 7);
    const u16 eob[5] = {0x0D, 0x10A, 0, 0, 3};
    Seed(HKEY_CURRENT_USER, In(L"VT300"), L"edit_eob_ch", REG_BINARY, eob, sizeof eob);
    SeedDword(HKEY_CURRENT_USER, In(L"VT300"), L"edit_eol_cnt", 2);
    const u16 eol[2] = {0x0D, 0x0A};
    Seed(HKEY_CURRENT_USER, In(L"VT300"), L"edit_eol_ch", REG_BINARY, eol, sizeof eol);
    LoadProfile();
    EXPECT_EQ(Vt300Values.edit_eob_cnt, 5);
    const u8 expected[6] = {0x0D, 0x0A, 0, 0, 3, 0};  // low bytes, then the terminator
    EXPECT_EQ(std::vector<u8>(Vt300Values.edit_eob_ch, Vt300Values.edit_eob_ch + 6),
              std::vector<u8>(expected, expected + 6));
    EXPECT_EQ(Vt300Values.edit_eol_cnt, 2);
    EXPECT_EQ(Vt300Values.edit_eol_ch[2], 0);

    Save();
    Raw raw = Read(HKEY_CURRENT_USER, In(L"VT300"), L"edit_eol_ch");
    EXPECT_EQ(raw.bytes, (std::vector<BYTE>{0x0D, 0, 0x0A, 0}));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"VT300"), L"edit_eob_cnt"), 0xDEADBEEFu);  // 5 is the default
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"VT300"), L"edit_eol_cnt"), 2u);
}

TEST_F(ProfileStore, ReadOnlyAndConditionalValues)
{
    SeedDword(HKEY_CURRENT_USER, In(L"CONNECTION"), L"iTnPortClose", 7);
    SeedText(HKEY_CURRENT_USER, In(L"PRINTING"), L"LPRUser", L"me");
    const u16 margins[4] = {1, 2, 3, 4};
    Seed(HKEY_CURRENT_USER, In(L"PRINTING"), L"PrintMargins", REG_BINARY, margins, sizeof margins);
    SeedDword(HKEY_CURRENT_USER, In(L"PRINTING"), L"PrintUnits", 2);
    LoadProfile();
    EXPECT_EQ(Connection.closeBudget, 7u);
    EXPECT_EQ(PrintingValues.defaultMargins, 0);
    EXPECT_EQ(PrintingValues.PrintMargins[3], 4);
    EXPECT_EQ(PrintingValues.PrintUnits, 2u);
    EXPECT_STREQ(PrintingValues.LPRUser, L"me");

    Save();  // iTnPortClose is never written; LPR values only while printing via LPR
    EXPECT_FALSE(Read(HKEY_CURRENT_USER, In(L"CONNECTION"), L"iTnPortClose").present);
    EXPECT_FALSE(Read(HKEY_CURRENT_USER, In(L"PRINTING"), L"LPRUser").present);
    EXPECT_EQ(Read(HKEY_CURRENT_USER, In(L"PRINTING"), L"PrintMargins").bytes.size(), 8u);

    PrintingValues.ViaLPR = 1;
    PrintingValues.PrintUnits = 1;
    Save();
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, In(L"PRINTING"), L"LPRUser"), L"me");
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"PRINTING"), L"PrintUnits"), 1u);  // with the margins, even 1

    // Margins of another length mean the printer's own margins.
    const u16 three[3] = {1, 2, 3};
    Seed(HKEY_CURRENT_USER, In(L"PRINTING"), L"PrintMargins", REG_BINARY, three, sizeof three);
    LoadProfile();
    EXPECT_EQ(PrintingValues.defaultMargins, 1);
}

TEST_F(ProfileStore, SaveKeepsTheSectionsOfEmulationsNotRunning)
{
    SeedDword(HKEY_CURRENT_USER, In(L"TVI955"), L"tvi_value", 5);
    SeedDword(HKEY_CURRENT_USER, In(L"DG410"), L"dg_value", 6);
    SeedDword(HKEY_CURRENT_USER, In(L"VT300"), L"stale", 1);
    SeedDword(HKEY_CURRENT_USER, In(L"Macros\\key"), L"70,3", 1);
    Save();
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"TVI955"), L"tvi_value"), 5u);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"DG410"), L"dg_value"), 6u);
    EXPECT_FALSE(Read(HKEY_CURRENT_USER, In(L"VT300"), L"stale").present);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, In(L"Macros")));

    EmulationId = 20;  // while DG runs, its section is its own to rewrite
    Save();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, In(L"DG410")));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, In(L"TVI955")));
}

TEST_F(ProfileStore, MachineSaveRemovesThePerUserCopy)
{
    SeedDword(HKEY_CURRENT_USER, In(L"VT300"), L"termid", 1);
    PerUserProfile = 0;
    TerminalId = 2;
    Save();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProfile));
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, In(L"VT300"), L"termid"), 2u);
}

TEST_F(ProfileStore, PaletteIsStoredOnlyWhenChangedAndLoadsWhole)
{
    Save();
    EXPECT_FALSE(Read(HKEY_CURRENT_USER, In(L"COLOURS"), L"hue").present);
    VtPalette.entry[3] = {10, 20, 30};
    Save();
    for (const wchar_t* name : {L"hue", L"lightness", L"saturation"})
        EXPECT_EQ(Read(HKEY_CURRENT_USER, In(L"COLOURS"), name).bytes.size(), 32u) << name;
    Factory();
    LoadProfile();
    EXPECT_EQ(VtPalette.entry[3], (HlsEntry{10, 20, 30}));

    // Without saturation the whole colour set goes back to the factory.
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, Path(In(L"COLOURS")).c_str(), 0, KEY_ALL_ACCESS, &key);
    RegDeleteValueW(key, L"saturation");
    RegCloseKey(key);
    LoadProfile();
    EXPECT_EQ(VtPalette, FactoryVtPalette(false));
}

TEST_F(ProfileStore, ColoursFollowTheirSavedItemFlag)
{
    SeedDword(HKEY_LOCAL_MACHINE, In(L"SAVEDITEMS"), L"saveattrs", 0);
    SeedDword(HKEY_LOCAL_MACHINE, In(L"COLOURS"), L"frgnorm", 3);
    PerUserProfile = 0;
    AttributeColourTable.frg[0] = 5;  // running colours
    Colours.bwswap = 1;
    LoadProfile();
    EXPECT_EQ(AttributeColourTable.frg[0], 5);  // kept
    ProfileLoadInProgress = 1;                  // a full reload returns to factory colours instead
    LoadProfile();
    ProfileLoadInProgress = 0;
    EXPECT_EQ(AttributeColourTable.frg[0], 7);
    EXPECT_EQ(AttributeColourTable.frgcurs, 7);
    EXPECT_EQ(Colours.bwswap, 0);
}

TEST_F(ProfileStore, UserDefinedKeysAreStoredWholeOnceOneChanges)
{
    DeleteUserDefinedKey(5);  // F6 cleared
    Save();
    std::vector<std::wstring> expected = {L"vt220pf_key", L"vt220pf_count", L"vt220pf_local", L"vt220pf_end"};
    for (int chunk = 0; chunk < 16; ++chunk)
        expected.push_back(L"vt220pf_area" + std::to_wstring(chunk));
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, In(L"VT300")), Sorted(expected));
    EXPECT_EQ(Read(HKEY_CURRENT_USER, In(L"VT300"), L"vt220pf_area15").bytes.size(), 64u);
    const u16 end = KeySequenceTable.end;

    Factory();
    ASSERT_EQ(KeySequenceTable.keys[5].length, 4);
    LoadProfile();
    EXPECT_EQ(KeySequenceTable.keys[5].length, 0);
    EXPECT_EQ(KeySequenceTable.end, end);
    const KeySequenceEntry& f7 = KeySequenceTable.keys[6];
    // clang-format off
    EXPECT_EQ(std::wstring(f7.text, f7.length), L"\x9B" L"18~");
    // clang-format on

    // Offsets and counts that point past the pool load bounded.
    u16 lying[72];
    for (u16& unit : lying)
        unit = 0xFFF0;
    Seed(HKEY_CURRENT_USER, In(L"VT300"), L"vt220pf_key", REG_BINARY, lying, sizeof lying);
    Seed(HKEY_CURRENT_USER, In(L"VT300"), L"vt220pf_count", REG_BINARY, lying, sizeof lying);
    LoadProfile();
    for (const KeySequenceEntry& key : KeySequenceTable.keys)
        EXPECT_LE(key.text - KeySequenceTable.pool + key.length, kUdkPoolUnits);
}

TEST_F(ProfileStore, CharacterSetsOfEveryEmulationSurviveASave)
{
    PaintSettings.characterMode = 4;  // the running VT emulation's set
    Save();
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, In(L"VT300")), std::vector<std::wstring>{L"upss"});
    PaintSettings.characterMode = 0;
    LoadProfile();
    EXPECT_EQ(PaintSettings.characterMode, 4);

    // With HP running, the VT set is written back as it was read and HP's is live.
    EmulationId = 18;
    PaintSettings.characterMode = 7;
    Save();
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"VT300"), L"upss"), 4u);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"HP70092"), L"upss"), 7u);

    // The running emulation's own section keeps its live set, not the one read before.
    EmulationId = 16;
    SeedDword(HKEY_CURRENT_USER, In(L"IBM3151"), L"upss", 3);
    PaintSettings.characterMode = 6;
    Save();
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"IBM3151"), L"upss"), 6u);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"HP70092"), L"upss"), 7u);
    PaintSettings.characterMode = 0;
}

TEST_F(ProfileStore, SessionDefaultsForAFullReload)
{
    SavedItems.saveattrs = 0;
    SavedItems.GPaste = 1;
    Connection.telnetPort = 2323;
    LocalEcho = 1;
    ConnectionValues.comdevice = 3;
    Colours.bwswap = 1;
    AttributeColourTable.frg[0] = 2;
    VtPalette.entry[4] = {1, 1, 1};
    ASSERT_TRUE(AddKeyDefinition(0x70, 0, kKeyMacro, 0, 1, L"x", nullptr));
    Screen.maxLineCount = 300;
    ResetSessionDefaults();
    EXPECT_EQ(SavedItems.saveattrs, 1);
    EXPECT_EQ(SavedItems.GPaste, 1);  // not a saved-item choice
    EXPECT_EQ(Connection.telnetPort, 23u);
    EXPECT_EQ(LocalEcho.load(), 0u);
    EXPECT_EQ(ConnectionValues.comdevice, kNoSerialDevice);
    EXPECT_EQ(Colours.bwswap, 0);
    EXPECT_EQ(AttributeColourTable.frg[0], 7);
    EXPECT_EQ(AttributeColourTable.frgcurs, 7);
    EXPECT_EQ(VtPalette, FactoryVtPalette(false));
    EXPECT_EQ(KeyDefinitions, nullptr);
    EXPECT_EQ(Screen.maxLineCount, 300);  // sizes only change in a full reload

    ProfileLoadInProgress = 1;
    TerminalId = 8;
    ResetSessionDefaults();
    ProfileLoadInProgress = 0;
    EXPECT_EQ(Screen.maxLineCount, 144);
    EXPECT_EQ(Screen.rows, 24);
}

TEST_F(ProfileStore, LanguageIsOneThatIsThere)
{
    const u32 savedCount = FoundLanguageModuleCount;
    const i32 savedIndex = CurrentLanguageIndex;
    for (int i = 0; i < kLanguageModuleCount; ++i)
        LanguageModuleTable[i].found = i == 2 || i == 5;
    FoundLanguageModuleCount = 2;
    struct Row {
        DWORD stored;
        i32 index;
    } rows[] = {{5, 5}, {3, 2}, {40, 2}, {0xFFFFFFFF, 2}};
    for (const Row& r : rows) {
        SeedDword(HKEY_CURRENT_USER, In(L"WINDOW"), L"Language", r.stored);
        LoadProfile();
        EXPECT_EQ(CurrentLanguageIndex, r.index) << r.stored;
    }
    Save();
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, In(L"WINDOW"), L"Language"), 2u);

    // Under a French "SelectedLanguage" the English choice is the one to write, and the
    // French one needs no value.
    LanguageModuleTable[0].found = LanguageModuleTable[1].found = 1;
    SeedDword(HKEY_CURRENT_USER, L"", L"SelectedLanguage", 1036);
    for (const auto& [index, written] : {std::pair{0, true}, {1, false}}) {
        CurrentLanguageIndex = index;
        Save();
        EXPECT_EQ(Read(HKEY_CURRENT_USER, In(L"WINDOW"), L"Language").present, written) << index;
        LoadProfile();
        EXPECT_EQ(CurrentLanguageIndex, index);
    }
    for (auto& module : LanguageModuleTable)
        module.found = 0;
    FoundLanguageModuleCount = savedCount;
    CurrentLanguageIndex = savedIndex;
}

TEST_F(ProfileStore, AMissingProfileReadsAsFactoryValues)
{
    TerminalId = 4;
    Connection.netproto = 0;
    EXPECT_EQ(ReloadCurrentProfile(), 0);
    EXPECT_EQ(TerminalId, kFactoryTerminalId);
    EXPECT_EQ(Connection.netproto, 1u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProfile));
    ProfileLoadInProgress = 1;  // a full reload creates it
    EXPECT_EQ(ReloadCurrentProfile(), 1);
    ProfileLoadInProgress = 0;
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kProfile));
}

TEST_F(ProfileStore, FullReloadStartsFromFactoryValuesInTheProfilesRoot)
{
    CopyText(Slots.profileName, kSlotUnits, L"M");
    SeedDword(HKEY_LOCAL_MACHINE, L"Profiles\\M\\SAVEDITEMS", L"saveattrs", 0);
    SeedDword(HKEY_LOCAL_MACHINE, L"Profiles\\M\\VT300", L"termid", 2);
    AttributeColourTable.frg[0] = 3;  // running colours the profile does not store
    ASSERT_TRUE(AddKeyDefinition(0x70, 0, kKeyMacro, 0, 1, L"x", nullptr));
    ProfileLoadInProgress = 1;
    EXPECT_EQ(ReloadCurrentProfile(), 1);
    ProfileLoadInProgress = 0;
    EXPECT_EQ(PerUserProfile, 0u);  // found machine-wide only
    EXPECT_EQ(TerminalId, 2);
    EXPECT_EQ(AttributeColourTable.frg[0], 7);
    EXPECT_EQ(KeyDefinitions, nullptr);
}

}  // namespace
