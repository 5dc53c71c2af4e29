#include "terminal/core/base/emulationids.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(EmulationIds, NamesFamiliesAndPredicates)
{
    struct Row {
        u8 id;
        const char* name;
        EmulationFamily family;
        bool vt, ansi, wyse;
    };
    const Row rows[] = {
        {0, "VT52", EmulationFamily::Vt, true, false, false},
        {3, "VT500 8-Bit", EmulationFamily::Vt, true, false, false},
        {5, "SCO Console", EmulationFamily::AnsiConsole, false, true, false},
        {6, "IBM3270", EmulationFamily::Ibm3270, false, false, false},
        {8, "WY50", EmulationFamily::Wyse, false, false, true},
        {15, "WY60", EmulationFamily::Wyse, false, false, true},
        {19, "TVI955", EmulationFamily::Tvi, false, false, false},
        {21, "AT 386", EmulationFamily::AnsiConsole, false, true, false},
        {23, "AIXTerm", EmulationFamily::Aixterm, false, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(std::string(EmulationName(r.id)), r.name);
        EXPECT_EQ(FamilyOf(r.id), r.family);
        EXPECT_EQ(IsVtFamily(r.id), r.vt);
        EXPECT_EQ(IsAnsiConsoleFamily(r.id), r.ansi);
        EXPECT_EQ(IsWyseFamily(r.id), r.wyse);
        EXPECT_EQ(IsVtOrAnsiFamily(r.id), r.vt || r.ansi);
    }
    EXPECT_FALSE(IsValidEmulationId(24));
    EXPECT_STREQ(EmulationName(0xFF), "");
}

TEST(EmulationIds, ProfileSectionsTerminalTypesAndUpssPlaces)
{
    EXPECT_EQ(EmulationSectionName(kEmuVt100), nullptr);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(EmulationSectionName(kEmuTvi950))), u"TVI955");
    EXPECT_STREQ(DefaultTerminalTypeName(kEmuWy60), "ZARA-60");
    EXPECT_STREQ(DefaultTerminalTypeName(200), "tty");
    EXPECT_TRUE(EmulationOffersAuxPort(kEmuScoConsole));
    EXPECT_FALSE(EmulationOffersAuxPort(kEmuAt386));
    // The emulations that keep their pair in VT300 write their live pair there.
    EXPECT_EQ(UpssSectionOf(kEmuAixterm), UpssSectionOf(kEmuVt52));
    EXPECT_TRUE(UpssSectionAt(UpssSectionOf(kEmuWy50)).fontOnly);
    EXPECT_EQ(UpssSectionAt(UpssSectionOf(kEmuHp70092)).upssDefault, 2);
    EXPECT_EQ(EmulationUpssPlace(kEmuAt386).upssDefault, 4);
}

}  // namespace
