// The key-definition list: lookups by code, kind and shift state, and deletion by kind.
#include <gtest/gtest.h>

#include <string>

#include "terminal/input/keydefs.h"

namespace {

TEST(KeyDefinitions, FindReplaceAndDeleteByKind)
{
    DeleteAllKeyDefinitions();
    ASSERT_TRUE(AddKeyDefinition(0x70, 1, kKeyMacro, 1, 2, VXT("ab"), nullptr));
    ASSERT_TRUE(AddKeyDefinition(0x70, 2, kKeyMacro, 3, 2, VXT("cd"), nullptr));
    ASSERT_TRUE(AddKeyDefinition(0x70, 0, kSoftButton, 0, 1, VXT("e"), VXT("Label")));
    ASSERT_TRUE(AddKeyDefinition(0x05, 0, kMouseMacro, 0, 0, VXT(""), nullptr));

    const KeyDefinition* shifted = FindKeyDefinition(0x70, kKeyMacro, 3);
    ASSERT_NE(shifted, nullptr);
    EXPECT_EQ(std::basic_string<wchar16>(shifted->text, shifted->length), VXT("cd"));
    EXPECT_EQ(shifted->SendType(), 2u);
    EXPECT_EQ(FindKeyDefinition(0x70, kKeyMacro, 2), nullptr);
    EXPECT_EQ(FindKeyDefinition(0x70, kKeyMacro, -1)->ShiftState(), 1u);  // any shift: the first
    EXPECT_EQ(std::basic_string<wchar16>(FindKeyDefinition(0x70, kSoftButton, -1)->label), VXT("Label"));

    DeleteKeyMacros();
    EXPECT_EQ(FindKeyDefinition(0x70, kKeyMacro, -1), nullptr);
    ASSERT_NE(FindKeyDefinition(0x70, kSoftButton, 0), nullptr);
    DeleteSoftButtonDefinitions();
    EXPECT_EQ(FindKeyDefinition(0x70, kSoftButton, 0), nullptr);
    ASSERT_NE(KeyDefinitions, nullptr);
    EXPECT_EQ(KeyDefinitions->Kind(), u32(kMouseMacro));
    DeleteKeyDefinition(KeyDefinitions);
    EXPECT_EQ(KeyDefinitions, nullptr);
}

}  // namespace
