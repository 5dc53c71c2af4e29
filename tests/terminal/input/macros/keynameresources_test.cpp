// The key names in the program's resources are the table the macros use: strings
// 13000-13643, RCDATA 491 (a {number, shift} pair per string) and RCDATA 494 (virtual
// key and string id pairs ended by 0xFFFF).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "terminal/core/base/language.h"
#include "terminal/input/macros/keynames.h"

namespace {

const u16* Resource(int id, DWORD* bytes)
{
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!found)
        return nullptr;
    *bytes = SizeofResource(self, found);
    return static_cast<const u16*>(LockResource(LoadResource(self, found)));
}

TEST(KeyNameResources, StringsAndKeyTablesMatchTheMacroTable)
{
    for (int i = 0; i < kKeyNameCount; ++i) {
        wchar_t text[40] = {};
        ASSERT_GT(LoadProgramString(kFirstKeyNameId + i, text, 40), 0) << i;
        EXPECT_STREQ(text, KeyNameAt(i)) << i;
    }
    DWORD bytes = 0;
    const u16* pairs = Resource(491, &bytes);
    ASSERT_NE(pairs, nullptr);
    ASSERT_EQ(bytes, static_cast<DWORD>(kKeyNameCount * 4));
    for (int i = 0; i < kKeyNameCount; ++i) {
        EXPECT_EQ(pairs[2 * i], KeyNameEntryAt(i).number) << KeyNameAt(i);
        EXPECT_EQ(pairs[2 * i + 1], KeyNameEntryAt(i).shift) << KeyNameAt(i);
    }
    const u16* names = Resource(494, &bytes);
    ASSERT_NE(names, nullptr);
    int n = 0;
    for (; n < static_cast<int>(bytes / 4) && names[2 * n] != 0xFFFF; ++n)
        EXPECT_EQ(VirtualKeyToNameId(names[2 * n]), names[2 * n + 1]) << names[2 * n];
    EXPECT_EQ(names[2 * n], 0xFFFF);
    EXPECT_GT(n, 80);
}

}  // namespace
