// The engines under the Setup pages: the working copy's fill and store, the screen
// sizes the apply may take, and how an attribute looks in the preview.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "terminal/core/base/emulationids.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/settings/setup/attributelook.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/unitstext.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setuprules.h"

namespace {

void Put(wchar16* field, std::size_t units, const Text& text)
{
    ASSERT_LT(text.size(), units);
    std::memcpy(field, text.c_str(), (text.size() + 1) * sizeof(wchar16));
}

TEST(SetupCopy, AnUntouchedCopyStoresBackEverySettingUnchanged)
{
    SetFactoryVt300();
    Vt300Section& v = Vt300Values;
    // Texts that an edit control shows escaped, and bytes at their extremes.
    Put(v.ans_back, 33, Text(29, 0x1D));
    Put(v.vt420_da, 34, Of("x^My_123\\"));
    Put(v.szCustomID, 133, Text(132, 'i'));
    Put(Connection.netname, kHostNameUnits, Text(132, 'h'));
    v.barkmode = 0;
    v.mltnat = 0;
    v.autowrap = 1;
    ConnectionValues.comdevice = kNoSerialDevice;
    const Vt300Section before = v;
    const ConnectionSettings connection = Connection;

    FillSetupCopyFields();
    EXPECT_EQ(SetupCopy.modes[kRowBackspaceDel], 1) << "Backspace = DEL is the inverse of barkmode";
    EXPECT_EQ(SetupCopy.national, 1) << "National is the inverse of mltnat";
    EXPECT_EQ(SetupCopy.device, kNoSerialDevice) << "a byte is zero-extended: no port stays 255";
    EXPECT_EQ(SetupCopy.answerback[0], kAnswerbackChars);
    StoreSetupCopyFields();

    EXPECT_EQ(std::memcmp(&before, &v, sizeof v), 0);
    EXPECT_EQ(std::memcmp(&connection, &Connection, sizeof Connection), 0);
}

TEST(SetupCopy, EditedFieldsReachTheirSettings)
{
    SetFactoryVt300();
    FillSetupCopyFields();
    Put(SetupCopy.answerback + 1, CountedTextUnits(kAnswerbackChars) - 1, Of("ab^M"));
    SetupCopy.modes[kRowAutoWrap] = 1;
    SetupCopy.modes[kRowBackspaceDel] = 0;
    StoreSetupCopyFields();
    EXPECT_EQ(Text(Vt300Values.ans_back), (Text{'a', 'b', 13}));
    EXPECT_EQ(Vt300Values.autowrap, 1);
    EXPECT_EQ(Vt300Values.barkmode, 1);
    // An answerback typed longer than its setting holds is cut, never overrun.
    Put(SetupCopy.answerback + 1, CountedTextUnits(kAnswerbackChars) - 1, Text(40, 'z'));
    StoreSetupCopyFields();
    EXPECT_EQ(Text(Vt300Values.ans_back), Text(kAnswerbackChars, 'z'));
}

TEST(SetupCopy, SizeTextsReadTheirLeadingNumber)
{
    wchar16 counted[CountedTextUnits(kSizeTextChars)];
    SetSetupSizeText(counted, 132);
    EXPECT_EQ(SetupSizeNumber(counted), 132);
    Put(counted + 1, 4, Of("3x"));
    EXPECT_EQ(SetupSizeNumber(counted), 3);
    Put(counted + 1, 4, Of(""));
    EXPECT_EQ(SetupSizeNumber(counted), 0);
}

TEST(SetupRules, ScreenSizesApplyOnlyWithinTheirLimits)
{
    const SetupGeometry single{24, 24, 528, 80, false, true, 999};
    const SetupGeometry paged{24, 72, 144, 80, true, false, 999};
    struct Case {
        const char* what;
        SetupGeometry now;
        int r, m, p, w;
        bool owned;
        SetupGeometryPlan plan;
    } cases[] = {
        {"nothing changed", single, 24, 528, 24, 80, true, {-1, -1, -1, -1}},
        {"rows 36", single, 36, 528, 36, 80, true, {36, -1, -1, -1}},
        {"rows 0", single, 0, 528, 24, 80, true, {-1, -1, -1, -1}},
        {"rows 65", single, 65, 528, 24, 80, true, {-1, -1, -1, -1}},
        {"rows 64", single, 64, 528, 24, 80, true, {64, -1, -1, -1}},
        {"memory below the rows", single, 24, 20, 24, 80, true, {-1, -1, -1, -1}},
        {"memory 200", single, 24, 200, 24, 80, true, {-1, 200, -1, -1}},
        {"memory over the maximum", single, 24, 1000, 24, 80, true, {-1, -1, -1, -1}},
        {"width 132", single, 24, 528, 24, 132, true, {-1, -1, -1, 132}},
        {"width 79", single, 24, 528, 24, 79, true, {-1, -1, -1, -1}},
        {"width 133", single, 24, 528, 24, 133, true, {-1, -1, -1, -1}},
        // With pages, rows must fit the page, the memory and 48; the rest still applies.
        {"paged rows 49", paged, 49, 144, 72, 132, true, {-1, -1, -1, 132}},
        {"paged rows over the page", paged, 36, 144, 30, 80, true, {-1, -1, 30, -1}},
        {"paged rows 36", paged, 36, 144, 72, 80, true, {36, -1, -1, -1}},
        {"paged page size 144", paged, 24, 144, 144, 80, true, {-1, -1, 144, -1}},
        {"paged memory is the pages'", paged, 24, 200, 72, 80, true, {-1, -1, -1, -1}},
        {"another family's store", single, 36, 200, 24, 132, false, {-1, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        const SetupGeometryPlan plan = PlanSetupGeometry(c.now, c.r, c.m, c.p, c.w, c.owned);
        EXPECT_EQ(plan.rows, c.plan.rows) << c.what;
        EXPECT_EQ(plan.lineCount, c.plan.lineCount) << c.what;
        EXPECT_EQ(plan.pageLength, c.plan.pageLength) << c.what;
        EXPECT_EQ(plan.pageColumns, c.plan.pageColumns) << c.what;
    }
}

TEST(SetupRules, OnlyADecModelWithNoOtherEngineOwnsTheStore)
{
    EXPECT_TRUE(SetupStoreOwned(kEmuVt500Bit7, kEmuVt52));
    EXPECT_TRUE(SetupStoreOwned(kEmuVt52, kEmuVt52));
    EXPECT_FALSE(SetupStoreOwned(kEmuAnsiBbs, kEmuVt52));       // an ANSI console
    EXPECT_FALSE(SetupStoreOwned(kEmuIbm5250, kEmuVt52));       // the 5250 keeps its own
    EXPECT_FALSE(SetupStoreOwned(kEmuVt500Bit7, kEmuHp70092));  // the HP engine still runs
}

TEST(AttributeLook, FlagsOfBothBytes)
{
    const AttributeLookOptions plain{};
    // clang-format off
    struct Case {
        const char* what;
        u8 fore, back;
        AttributeLookOptions options;
        u8 text, backColour;
        bool underline, separators, hidden, flashing, bold, italic;
    } cases[] = {
        {"normal", 0x07, 0x00, plain, 7, 0, false, false, false, false, false, false},
        {"inverse", 0x27, 0x01, plain, 1, 7, false, false, false, false, false, false},
        // Intensity flips bit 3 of the colour the text ends up with.
        {"inverse intensity", 0xA7, 0x01, plain, 9, 7, false, false, false, false, false, false},
        {"intensity", 0x87, 0x00, plain, 15, 0, false, false, false, false, false, false},
        {"underline flashing", 0x57, 0x00, plain, 7, 0, true, false, false, true, false, false},
        {"hidden separators bold", 0x07, 0x70, plain, 7, 0, false, true, true, false, true, false},
        {"bold font", 0x07, 0x00, {true, false, false}, 7, 0, false, false, false, false, true, false},
        {"italic needs intensity", 0x07, 0x00, {false, true, false}, 7, 0, false, false, false, false, false,
         false},
        {"italic intensity", 0x87, 0x00, {false, true, false}, 15, 0, false, false, false, false, false, true},
        // An emulation whose intensity runs the other way undoes it.
        {"intensity reversed", 0x87, 0x00, {false, false, true}, 7, 0, false, false, false, false, false, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        const AttributeLook look = AttributeEffects(c.fore, c.back, c.options);
        EXPECT_EQ(look.text, c.text) << c.what;
        EXPECT_EQ(look.back, c.backColour) << c.what;
        EXPECT_EQ(look.underline, c.underline) << c.what;
        EXPECT_EQ(look.separators, c.separators) << c.what;
        EXPECT_EQ(look.hidden, c.hidden) << c.what;
        EXPECT_EQ(look.flashing, c.flashing) << c.what;
        EXPECT_EQ(look.bold, c.bold) << c.what;
        EXPECT_EQ(look.italic, c.italic) << c.what;
    }
}

}  // namespace
