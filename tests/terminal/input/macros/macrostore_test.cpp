// Key definitions in the profile: their value names and bytes, values that are not
// whole definitions, and definitions too long for a fixed buffer.
#include "terminal/core/base/corestate.h"
#include "terminal/settings/regfixture.h"

#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/macrostore.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

using namespace regtest;

const std::wstring kMacros = L"Profiles\\P\\Macros\\";

std::vector<BYTE> Definition(u16 sendType, const std::wstring& text, int claimedLength = -1)
{
    std::vector<u16> units = {sendType, static_cast<u16>(claimedLength < 0 ? text.size() : claimedLength)};
    units.insert(units.end(), text.begin(), text.end());
    const BYTE* bytes = reinterpret_cast<const BYTE*>(units.data());
    return std::vector<BYTE>(bytes, bytes + units.size() * 2);
}

std::wstring TextOf(const KeyDefinition* d)
{
    return d ? std::wstring(d->text, d->length) : L"<none>";
}

class MacroStore : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        CopyText(Slots.profileName, kSlotUnits, L"P");
        SavedItems = SavedItemFlags{1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
        DeleteAllKeyDefinitions();
    }
    void TearDown() override
    {
        DeleteAllKeyDefinitions();
        RegistryTest::TearDown();
    }
    static void SeedDefinition(const std::wstring& kind, const wchar_t* name, const std::vector<BYTE>& bytes)
    {
        Seed(HKEY_LOCAL_MACHINE, kMacros + kind, name, REG_BINARY, bytes.data(), DWORD(bytes.size()));
    }
};

TEST_F(MacroStore, DefinitionsAreNamedAndPackedAsTheRegistryFormSays)
{
    const std::wstring text = L"ls\r";
    ASSERT_TRUE(AddKeyDefinition(0x70, 1, kKeyMacro, 3, 3, text.c_str(), nullptr));
    ASSERT_TRUE(AddKeyDefinition(0x1A, 2, kSoftButton, 0, 3, text.c_str(), L"List"));
    ASSERT_TRUE(AddKeyDefinition(0x0B, 0, kMouseMacro, 0, 1, L"m", nullptr));
    SaveMacros();
    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kMacros + L"key"), std::vector<std::wstring>{L"70,3"});
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kMacros + L"key", L"70,3").bytes, Definition(1, text));
    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kMacros + L"SBUTT"), Sorted({L"1a", L"Lab1A"}));
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kMacros + L"SBUTT", L"Lab1A"), L"List");
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kMacros + L"MOUSE", L"b").bytes, Definition(0, L"m"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kMacros + L"ZARA"));
}

TEST_F(MacroStore, DamagedValuesAreSkippedAndTheirNeighboursLoad)
{
    const std::wstring longText(300, L'x');  // 604 bytes: more than a fixed 253-byte buffer
    SeedDefinition(L"key", L"41,0", Definition(0, L"first"));
    SeedDefinition(L"key", L"42,0", Definition(0, longText));
    SeedDefinition(L"key", L"43,0", {0x01, 0x00});                             // short
    SeedDefinition(L"key", L"44,0", Definition(0, L"ab", 40));                 // lying length
    Seed(HKEY_LOCAL_MACHINE, kMacros + L"key", L"45,0", REG_SZ, L"text", 10);  // wrong type
    SeedDefinition(L"key", L"nonsense", Definition(0, L"junk"));
    SeedDefinition(L"key", L"46,1", Definition(2, L"last"));
    SeedDefinition(L"ZARA", L"1f", Definition(0, L"wyse"));
    LoadMacros();
    EXPECT_EQ(TextOf(FindKeyDefinition(0x41, kKeyMacro, 0)), L"first");
    EXPECT_EQ(TextOf(FindKeyDefinition(0x42, kKeyMacro, 0)), longText);
    for (u32 code : {0x43u, 0x44u, 0x45u})
        EXPECT_EQ(FindKeyDefinition(code, kKeyMacro, -1), nullptr) << std::hex << code;
    const KeyDefinition* last = FindKeyDefinition(0x46, kKeyMacro, 1);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(TextOf(last), L"last");
    EXPECT_EQ(last->SendType(), 2u);
    EXPECT_EQ(TextOf(FindKeyDefinition(0x1F, kWyseFunctionKey, 0)), L"wyse");
    int count = 0;
    for (const KeyDefinition* d = KeyDefinitions; d; d = d->next)
        ++count;
    EXPECT_EQ(count, 4);
}

TEST_F(MacroStore, FirstPassClearsOnlyWhatTheProfileSaves)
{
    SeedDefinition(L"key", L"41,0", Definition(0, L"stored"));
    ASSERT_TRUE(AddKeyDefinition(0x41, 0, kKeyMacro, 0, 3, L"old", nullptr));
    ASSERT_TRUE(AddKeyDefinition(0x50, 0, kKeyMacro, 0, 4, L"kept", nullptr));
    ASSERT_TRUE(AddKeyDefinition(0x60, 0, kMouseMacro, 0, 5, L"mouse", nullptr));
    SavedItems.savemacros = 0;  // stored macros are added on top of the defined ones
    LoadMacros();
    EXPECT_EQ(TextOf(FindKeyDefinition(0x41, kKeyMacro, 0)), L"stored");
    EXPECT_EQ(TextOf(FindKeyDefinition(0x50, kKeyMacro, 0)), L"kept");
    SavedItems.savemacros = 1;
    LoadMacros();
    EXPECT_EQ(FindKeyDefinition(0x50, kKeyMacro, 0), nullptr);
    EXPECT_EQ(TextOf(FindKeyDefinition(0x60, kMouseMacro, 0)), L"mouse");
    KeepCurrentValues = 1;  // the user pass adds without clearing
    ASSERT_TRUE(AddKeyDefinition(0x51, 0, kKeyMacro, 0, 1, L"u", nullptr));
    LoadMacros();
    EXPECT_EQ(TextOf(FindKeyDefinition(0x51, kKeyMacro, 0)), L"u");
}

TEST_F(MacroStore, StoredDefinitionsComeBackByteForByte)
{
    SeedDefinition(L"key", L"70,3", Definition(1, L"one"));
    SeedDefinition(L"key", L"1B,4", Definition(0, std::wstring(200, L'\x2500')));
    SeedDefinition(L"SBUTT", L"1a", Definition(2, L"button"));
    Seed(HKEY_LOCAL_MACHINE, kMacros + L"SBUTT", L"Lab1A", REG_SZ, L"Label", 12);
    SeedDefinition(L"MOUSE", L"3", Definition(0, L"m"));
    std::vector<Raw> before;
    const std::pair<const wchar_t*, const wchar_t*> values[] = {
        {L"key", L"70,3"}, {L"key", L"1B,4"}, {L"SBUTT", L"1a"}, {L"SBUTT", L"Lab1A"}, {L"MOUSE", L"3"}};
    for (const auto& v : values)
        before.push_back(Read(HKEY_LOCAL_MACHINE, kMacros + v.first, v.second));
    LoadMacros();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, Path(L"Profiles\\P\\Macros").c_str());
    SaveMacros();
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const Raw after = Read(HKEY_LOCAL_MACHINE, kMacros + values[i].first, values[i].second);
        EXPECT_EQ(after.type, before[i].type) << values[i].second;
        EXPECT_EQ(after.bytes, before[i].bytes) << values[i].second;
    }
}

TEST_F(MacroStore, AHostsTextIsSavedInTheFormThatReadsBackAsThatText)
{
    const std::wstring program = L"(notepad)<x>", none = L"<VK_NOFUNCTION>";
    ASSERT_TRUE(AddKeyDefinition(0x41, 2, kKeyMacro, 0, DWORD(program.size()), program.c_str(), nullptr,
                                 TextOrigin::Host));
    ASSERT_TRUE(
        AddKeyDefinition(0x70, 0, kKeyMacro, 0, DWORD(none.size()), none.c_str(), nullptr, TextOrigin::Host));
    SaveMacros();
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kMacros + L"key", L"41,0").bytes, Definition(2, L"((notepad)<<x>"));
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kMacros + L"key", L"70,0").bytes, Definition(0, none));
    // Reloaded it is a macro string whose doubled brackets are plain characters.
    DeleteAllKeyDefinitions();
    LoadMacros();
    EXPECT_EQ(TextOf(FindKeyDefinition(0x41, kKeyMacro, 0)), L"((notepad)<<x>");
}

}  // namespace
