// Soft-button codes around the level-name slot, and the level names kept as key
// definitions of their own.
#include <gtest/gtest.h>

#include <string>

#include "terminal/input/macros/keydefs.h"
#include "terminal/input/bars/softbuttons.h"

namespace {

TEST(SoftButtons, CodesSkipTheLevelButtonAndTheNameSlot)
{
    const struct {
        int number, level, code;
    } cases[] = {
        {1, 1, 1},   {6, 1, 6},  {7, 1, 8},   {12, 1, 13}, {1, 2, 15}, {7, 4, 50},
        {12, 4, 55}, {0, 1, -1}, {13, 1, -1}, {1, 0, -1},  {1, 5, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SoftButtonCode(c.number, c.level), c.code) << c.number << "/" << c.level;
        if (c.code >= 0) {
            EXPECT_EQ(SoftButtonNumber(c.code), c.number);
            EXPECT_EQ(SoftButtonLevel(c.code), c.level);
        }
    }
    for (int code : {0, 7, 14, 21, 56, -1})
        EXPECT_EQ(SoftButtonNumber(code), 0) << code;
}

TEST(SoftButtons, ALevelNameIsOneEmptyDefinitionReplacedInPlace)
{
    DeleteAllKeyDefinitions();
    SetSoftButtonLevelName(2, VXT("Editing keys"));  // longer than a name holds
    SetSoftButtonLevelName(2, VXT("Files"));
    wchar16 name[kSoftButtonLabelUnits];
    GetSoftButtonLevelName(2, name);
    EXPECT_EQ(std::basic_string<wchar16>(name), VXT("Files"));
    int nodes = 0;
    for (const KeyDefinition* d = KeyDefinitions; d; d = d->next, ++nodes) {
        EXPECT_EQ(d->keyCode, 21u);
        EXPECT_EQ(d->length, 0u);
    }
    EXPECT_EQ(nodes, 1);
    SetSoftButtonLevelName(2, VXT(""));
    EXPECT_EQ(KeyDefinitions, nullptr);
    GetSoftButtonLevelName(9, name);
    EXPECT_EQ(name[0], 0);
}

}  // namespace
