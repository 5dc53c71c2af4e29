// The registry layer against the test prefix's registry: the two-pass rule, values
// that are not what a reader expects, double-NUL lists, trees and volatile slots.
#include "terminal/settings/regfixture.h"

#include <cstring>

namespace {

using namespace regtest;

const std::wstring kSection = L"Profiles\\P\\CONNECTION";

class RegistryLayer : public RegistryTest {
protected:
    // Reads `name` of section P\CONNECTION in the two passes of a load.
    static u32 TwoPassDword(const wchar_t* name, u32 factory)
    {
        u32 value = 0x1234;  // the running value before the load
        for (u32 pass = 0; pass < 2; ++pass) {
            SettingsSelectRoot(pass);
            KeepCurrentValues = pass;
            HKEY key = SettingsOpenSection(L"P", L"CONNECTION");
            value = SettingsReadDword(key, name, value, factory);
            SettingsCloseKey(key);
        }
        return value;
    }
};

TEST_F(RegistryLayer, MachineValueOverridesFactoryAndUserValueOverridesBoth)
{
    SeedDword(HKEY_LOCAL_MACHINE, kSection, L"both", 10);
    SeedDword(HKEY_CURRENT_USER, kSection, L"both", 20);
    SeedDword(HKEY_LOCAL_MACHINE, kSection, L"machine", 30);
    SeedDword(HKEY_CURRENT_USER, kSection, L"user", 40);
    EXPECT_EQ(TwoPassDword(L"both", 7), 20u);
    EXPECT_EQ(TwoPassDword(L"machine", 7), 30u);
    EXPECT_EQ(TwoPassDword(L"user", 7), 40u);
    EXPECT_EQ(TwoPassDword(L"neither", 7), 7u);
}

TEST_F(RegistryLayer, DwordOfAnotherTypeOrSizeReadsAsAbsent)
{
    const BYTE one = 0x05;
    const BYTE eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    const DWORD four = 9;
    Seed(HKEY_LOCAL_MACHINE, kSection, L"text", REG_SZ, L"5", 4);  // would read as 0x35
    Seed(HKEY_LOCAL_MACHINE, kSection, L"short", REG_DWORD, &one, 1);
    Seed(HKEY_LOCAL_MACHINE, kSection, L"long", REG_DWORD, eight, 8);
    Seed(HKEY_LOCAL_MACHINE, kSection, L"binary", REG_BINARY, &four, 4);
    Seed(HKEY_LOCAL_MACHINE, kSection, L"good", REG_DWORD, &four, 4);
    HKEY key = SettingsOpenSection(L"P", L"CONNECTION");
    ASSERT_NE(key, nullptr);
    for (const wchar_t* name : {L"text", L"short", L"long", L"binary"}) {
        KeepCurrentValues = 0;
        EXPECT_EQ(SettingsReadDword(key, name, 0xAAAAAAAA, 77), 77u) << name;
        KeepCurrentValues = 1;
        EXPECT_EQ(SettingsReadDword(key, name, 0xAAAAAAAA, 77), 0xAAAAAAAAu) << name;
    }
    EXPECT_EQ(SettingsReadDword(key, L"good", 0, 77), 9u);
    SettingsCloseKey(key);
    KeepCurrentValues = 0;
    EXPECT_EQ(SettingsReadDword(nullptr, L"good", 1, 2), 2u);  // a failed open reads as absent
}

TEST_F(RegistryLayer, StringsAlwaysEndWithinTheirCapacity)
{
    // Stored without a terminator and exactly filling the caller's 4 units.
    Seed(HKEY_LOCAL_MACHINE, kSection, L"full", REG_SZ, L"abcd", 8);
    Seed(HKEY_LOCAL_MACHINE, kSection, L"unterminated", REG_SZ, L"ab", 4);
    SeedText(HKEY_LOCAL_MACHINE, kSection, L"toolong", L"abcdefgh");
    SeedDword(HKEY_LOCAL_MACHINE, kSection, L"number", 0x00410041);
    HKEY key = SettingsOpenSection(L"P", L"CONNECTION");
    ASSERT_NE(key, nullptr);
    struct Row {
        const wchar_t* name;
        u32 keep;
        int length;
        const wchar_t* text;
    } rows[] = {
        {L"unterminated", 0, 2, L"ab"}, {L"toolong", 0, 3, L"dfl"}, {L"toolong", 1, 0, L"cur"},
        {L"number", 0, 3, L"dfl"},      {L"absent", 1, 0, L"cur"},
    };
    for (const Row& r : rows) {
        wchar_t buffer[6] = {L'c', L'u', L'r', 0, L'#', L'#'};
        KeepCurrentValues = r.keep;
        EXPECT_EQ(SettingsReadString(key, r.name, L"dfl", buffer, 4), r.length) << r.name;
        EXPECT_STREQ(buffer, r.text) << r.name;
        EXPECT_EQ(buffer[4], L'#') << r.name;  // nothing written past the capacity
    }
    // A text filling all 4 units without its terminator: cut to 3 units, or refused as
    // too long (as Wine does), but never left unterminated.
    KeepCurrentValues = 0;
    wchar_t buffer[5] = {L'#', L'#', L'#', L'#', L'#'};
    const int length = SettingsReadString(key, L"full", L"dfl", buffer, 4);
    EXPECT_EQ(length, 3);
    EXPECT_TRUE(std::wstring(buffer) == L"abc" || std::wstring(buffer) == L"dfl");
    EXPECT_EQ(buffer[4], L'#');
    EXPECT_EQ(SettingsReadStringDefault(key, L"unterminated", L"x", buffer, 4), 3);
    EXPECT_STREQ(buffer, L"ab");
    EXPECT_EQ(SettingsReadStringDefault(key, L"absent", L"x", buffer, 4), 1);
    EXPECT_STREQ(buffer, L"x");
    SettingsCloseKey(key);
}

TEST_F(RegistryLayer, EmptyTextTakesTheDefaultOnMachinePassAndClearsOnUserPass)
{
    SeedText(HKEY_LOCAL_MACHINE, kSection, L"netname", L"");
    wchar_t buffer[16] = L"running";
    HKEY key = SettingsOpenSection(L"P", L"CONNECTION");
    KeepCurrentValues = 0;
    EXPECT_EQ(SettingsReadString(key, L"netname", L"factory", buffer, 16), 7);
    EXPECT_STREQ(buffer, L"factory");
    SettingsCloseKey(key);

    SeedText(HKEY_CURRENT_USER, kSection, L"netname", L"");
    SettingsSelectRoot(1);
    key = SettingsOpenSection(L"P", L"CONNECTION");
    KeepCurrentValues = 1;
    EXPECT_EQ(SettingsReadString(key, L"netname", L"factory", buffer, 16), 0);
    EXPECT_STREQ(buffer, L"");
    SettingsCloseKey(key);
}

TEST_F(RegistryLayer, BinaryLongerThanTheBufferReadsAsAbsent)
{
    const u16 six[6] = {1, 2, 3, 4, 5, 6};
    Seed(HKEY_LOCAL_MACHINE, kSection, L"six", REG_BINARY, six, sizeof six);
    Seed(HKEY_LOCAL_MACHINE, kSection, L"text", REG_SZ, L"abcd", 10);
    HKEY key = SettingsOpenSection(L"P", L"CONNECTION");
    u16 buffer[6];
    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_EQ(SettingsReadBinary(key, L"six", buffer, 4), 0);
    for (u16 unit : {buffer[0], buffer[1], buffer[2], buffer[3]})
        EXPECT_EQ(unit, 0);
    EXPECT_EQ(buffer[4], 0xEEEE);
    EXPECT_EQ(SettingsReadBinary(key, L"six", buffer, 6), 6);
    EXPECT_EQ(buffer[5], 6);
    EXPECT_EQ(SettingsReadBinary(key, L"text", buffer, 6), 0);
    EXPECT_EQ(buffer[0], 0);
    SettingsCloseKey(key);

    key = SettingsCreateSection(L"P", L"CONNECTION");
    const u16 units[2] = {0x1234, 0xABCD};
    SettingsWriteBinary(key, L"pair", units, 2);
    SettingsCloseKey(key);
    Raw raw = Read(HKEY_LOCAL_MACHINE, kSection, L"pair");
    EXPECT_EQ(raw.type, DWORD(REG_BINARY));
    EXPECT_EQ(raw.bytes, (std::vector<BYTE>{0x34, 0x12, 0xCD, 0xAB}));  // low byte first
}

TEST_F(RegistryLayer, WritersDeleteDefaultsAndEmptyTexts)
{
    // With no key the program key itself is written; without it, nothing is.
    EXPECT_NE(SettingsWriteString(nullptr, L"Version", L"1.6.1"), 0);
    SettingsCloseKey(SettingsCreateBaseKey());
    EXPECT_EQ(SettingsWriteString(nullptr, L"Version", L"1.6.1"), 0);
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, L"", L"Version"), L"1.6.1");

    HKEY key = SettingsCreateSection(L"P", L"CONNECTION");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(SettingsWriteDword(key, L"a", 5), 0);
    EXPECT_EQ(SettingsWriteString(key, L"t", L"host"), 0);
    EXPECT_EQ(SettingsWriteDwordOrDelete(key, L"a", 5, 5), 0);
    EXPECT_EQ(SettingsWriteStringOrDelete(key, L"t", L""), 0);
    SettingsWriteDwordOrDelete(key, L"b", 6, 5);
    SettingsCloseKey(key);
    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kSection), std::vector<std::wstring>{L"b"});
}

TEST_F(RegistryLayer, ProfileListSkipsLongNamesAndMergesTheUserRoot)
{
    const std::wstring longName(100, L'L');
    for (const std::wstring& name : {std::wstring(L"A"), longName, std::wstring(L"B")})
        SeedKey(HKEY_LOCAL_MACHINE, L"Profiles\\" + name);
    for (const wchar_t* name : {L"b", L"C"})
        SeedKey(HKEY_CURRENT_USER, std::wstring(L"Profiles\\") + name);
    SettingsSelectRoot(1);

    wchar_t list[1024];
    ASSERT_EQ(SettingsListProfiles(list, 1024), 1);
    // Machine-wide names first; "b" differs from "B" in case only and is listed too.
    EXPECT_EQ(SplitList(list, 1024), (std::vector<std::wstring>{L"A", L"B", longName, L"b", L"C"}));
    EXPECT_EQ(SettingsRootIsUser(), 1u);

    // A name that does not fit is skipped, the ones after it still listed, and the
    // final terminator always has its unit.
    wchar_t small[12];
    std::fill(std::begin(small), std::end(small), L'#');
    ASSERT_EQ(SettingsListProfiles(small, 11), 1);
    EXPECT_EQ(SplitList(small, 11), (std::vector<std::wstring>{L"A", L"B", L"b", L"C"}));
    EXPECT_EQ(small[8], 0);
    EXPECT_EQ(small[11], L'#');
    ASSERT_EQ(SettingsListProfiles(small, 8), 1);  // "A B b C" needs 9 units
    EXPECT_EQ(SplitList(small, 8), (std::vector<std::wstring>{L"A", L"B", L"b"}));

    OsVersionCode = 16;  // Windows 9x keeps machine-wide profiles only
    ASSERT_EQ(SettingsListProfiles(list, 1024), 1);
    EXPECT_EQ(SplitList(list, 1024), (std::vector<std::wstring>{L"A", L"B", longName}));
}

TEST_F(RegistryLayer, ProfileRootFollowsWhereTheProfileLives)
{
    SeedKey(HKEY_LOCAL_MACHINE, L"Profiles\\Both");
    SeedKey(HKEY_CURRENT_USER, L"Profiles\\Both");
    SeedKey(HKEY_LOCAL_MACHINE, L"Profiles\\Machine");
    SeedKey(HKEY_CURRENT_USER, L"Profiles\\User");
    struct Row {
        i32 os;
        const wchar_t* profile;
        u32 perUser;
    } rows[] = {{32, L"Both", 1},    {32, L"Machine", 0}, {32, L"User", 1}, {32, L"Nowhere", 1},
                {36, L"Machine", 0}, {16, L"User", 0},    {0, L"User", 0}};
    for (const Row& r : rows) {
        OsVersionCode = r.os;
        SettingsSelectRoot(1 - r.perUser);
        SelectProfileRoot(r.profile);
        EXPECT_EQ(PerUserProfile, r.perUser) << r.profile << " " << r.os;
        EXPECT_EQ(AdministratorMode, 1u);
        EXPECT_EQ(SettingsRootIsUser(), r.perUser) << r.profile << " " << r.os;
    }
    SettingsSelectRoot(0);
    EXPECT_EQ(SettingsProfileExistsAnyRoot(L"User"), 1);
    EXPECT_EQ(SettingsProfileExistsAnyRoot(L"Nowhere"), 0);
    EXPECT_EQ(SettingsRootIsUser(), 0u);
}

TEST_F(RegistryLayer, OnlySessionSlotsAreVolatile)
{
    SettingsSelectRoot(1);
    HKEY slot = SettingsCreateKeyEx(L"P\\Session 1", kRegVolatile);
    ASSERT_NE(slot, nullptr);
    // A volatile key refuses non-volatile children: the slot is volatile...
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExW(slot, L"x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
              ERROR_CHILD_MUST_BE_VOLATILE);
    SettingsCloseKey(slot);
    // ...while the profile key above it takes the persistent mouse actions.
    HKEY actions = SettingsCreateMouseActions(L"P");
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(SettingsWriteDword(actions, L"Normal", 3), 0);
    SettingsCloseKey(actions);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, L"P\\Mouse Actions", L"Normal"), 3u);
}

TEST_F(RegistryLayer, DeletingAProfileTakesItsWholeTreeOnly)
{
    SeedDword(HKEY_LOCAL_MACHINE, L"Profiles\\P\\Macros\\key\\deep\\er", L"v", 1);
    SeedDword(HKEY_LOCAL_MACHINE, L"Profiles\\P\\VT300", L"termid", 7);
    SeedDword(HKEY_LOCAL_MACHINE, L"Profiles\\Q\\VT300", L"termid", 7);
    SeedDword(HKEY_LOCAL_MACHINE, L"P\\Mouse Actions", L"Normal", 2);
    EXPECT_EQ(SettingsDeleteProfile(L"P"), 1);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Profiles\\P"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"Profiles\\Q\\VT300"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"P\\Mouse Actions"));

    EXPECT_EQ(SettingsDeleteProfile(nullptr), 1);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Profiles"));
    EXPECT_EQ(SettingsDeleteProfile(L"Q"), 0);  // no Profiles key to open
    EXPECT_EQ(SettingsDeleteMouseActions(L"P"), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"P\\Mouse Actions"));
}

TEST_F(RegistryLayer, ValueListsKeepRoomForTheirTerminator)
{
    const std::wstring longName(300, L'n');
    SeedDword(HKEY_LOCAL_MACHINE, kSection, L"one", 1);
    SeedDword(HKEY_LOCAL_MACHINE, kSection, longName.c_str(), 2);
    SeedText(HKEY_LOCAL_MACHINE, kSection, L"host", L"h");
    SeedDword(HKEY_LOCAL_MACHINE, kSection, L"two", 2);
    HKEY key = SettingsOpenSection(L"P", L"CONNECTION");
    // Names past the 260-unit enumeration buffer are skipped, not counted.
    EXPECT_EQ(SettingsCountDwordValues(key), 2);
    wchar_t list[16];
    std::fill(std::begin(list), std::end(list), L'#');
    EXPECT_EQ(SettingsListDwordValues(key, list, 8), 1);
    EXPECT_EQ(SplitList(list, 8), (std::vector<std::wstring>{L"one"}));  // "one two" needs 9
    EXPECT_EQ(list[8], L'#');
    EXPECT_EQ(SettingsListStringValues(key, list, 16), 1);
    EXPECT_EQ(SplitList(list, 16), (std::vector<std::wstring>{L"host"}));
    SettingsCloseKey(key);
}

TEST_F(RegistryLayer, OverlongPathsOpenNothing)
{
    const std::wstring name(kSettingsPathUnits, L'x');
    EXPECT_EQ(SettingsCreateSection(name.c_str(), L"VT300"), nullptr);
    EXPECT_EQ(SettingsCreateSection(L"", L"VT300"), nullptr);
    EXPECT_EQ(SettingsCreateSection(nullptr, L"VT300"), nullptr);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Profiles"));
}

TEST_F(RegistryLayer, WorkDirComesFromTheMachineRootOnly)
{
    SeedText(HKEY_CURRENT_USER, L"", L"WorkDir", L"C:\\user");
    SettingsSelectRoot(1);
    wchar_t dir[32] = L"stale";
    EXPECT_EQ(SettingsReadWorkDir(dir, 32), 0);
    EXPECT_STREQ(dir, L"");
    SeedText(HKEY_LOCAL_MACHINE, L"", L"WorkDir", L"C:\\work");
    EXPECT_EQ(SettingsReadWorkDir(dir, 32), 8);  // units stored, terminator included
    EXPECT_STREQ(dir, L"C:\\work");
    EXPECT_EQ(SettingsRootIsUser(), 1u);
}

}  // namespace
