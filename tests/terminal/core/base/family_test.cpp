// Registering families: which family runs an id, and which one runs now.
#include "terminal/core/base/family.h"

#include <gtest/gtest.h>

#include <string>

#include "terminal/core/testfamily.h"

namespace {

TEST(Families, TheDecFamilyRunsTheVtIdsAndRunsWhenNoneWasStarted)
{
    const FamilyHooks* dec = FamilyFor(kEmuVt52);
    ASSERT_NE(dec, nullptr);
    for (u8 id : {kEmuVt100, kEmuVt500Bit7, kEmuVt500Bit8})
        EXPECT_EQ(FamilyFor(id), dec);
    EXPECT_EQ(&ActiveFamily(), dec);
    EXPECT_EQ(FamilyFor(200), nullptr);
}

TEST(Families, AnIdStaysWithItsFirstFamilyUntilThatOneLeaves)
{
    // The ids are taken from the build's family of them, which gets them back at the end.
    const FreedEmulations freed(EmulationBit(kEmuWy50) | EmulationBit(kEmuWy60));
    const FamilyHooks first{.name = "first", .emulations = EmulationBit(kEmuWy50) | EmulationBit(kEmuWy60)};
    const FamilyHooks second{.name = "second", .emulations = EmulationBit(kEmuWy60) | EmulationBit(kEmuVt100)};
    const FamilyHooks none{.name = "none"};
    ASSERT_TRUE(RegisterFamily(&first));
    EXPECT_FALSE(RegisterFamily(&second)) << "every id it asks for is taken";
    EXPECT_FALSE(RegisterFamily(&none));
    EXPECT_EQ(FamilyFor(kEmuWy60), &first);
    EXPECT_NE(FamilyFor(kEmuVt100), &second);

    std::string visited;
    static std::string* sink;
    sink = &visited;
    ForEachFamily([](const FamilyHooks& f) { *sink += std::string(f.name) + ";"; });
    EXPECT_NE(visited.find("first;"), std::string::npos);
    EXPECT_EQ(visited.find("first;"), visited.rfind("first;")) << "a family of several ids is visited once";

    SetActiveFamily(&first);
    EXPECT_EQ(GetEmulationFromFlags(), kEmuWy50);
    EXPECT_TRUE(FamilyRuns(kEmuWy60));
    EXPECT_FALSE(FamilyRuns(kEmuVt100));
    UnregisterFamily(&first);
    EXPECT_EQ(FamilyFor(kEmuWy50), nullptr);
    EXPECT_EQ(&ActiveFamily(), FamilyFor(kDefaultEmulationId)) << "a family that leaves stops running";
    ASSERT_TRUE(RegisterFamily(&second)) << "its ids are free again";
    EXPECT_EQ(FamilyFor(kEmuWy60), &second);
    UnregisterFamily(&second);
}

}  // namespace
