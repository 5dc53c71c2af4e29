// The toolbar's tables: the factory buttons and commands, the stored type, and the
// "Toolbar" values read back from what a profile may hold (damaged values included).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/doubles_registry.h"
#include "terminal/input/bars/toolbarmodel.h"
#include "terminal/input/bars/toolbarvalues.h"

namespace {

using Text16 = std::basic_string<wchar16>;

HKEY Key(const wchar16* name)
{
    return doubles::RegistryKeyHandle(name);
}

void PutUnits(HKEY key, const wchar16* name, std::initializer_list<int> units)
{
    std::vector<u16> data;
    for (int u : units)
        data.push_back(static_cast<u16>(u));
    SettingsWriteBinary(key, name, data.data(), static_cast<int>(data.size()));
}

Text16 Text(const wchar16* t)
{
    return Text16(t);
}

class ToolbarModel : public ::testing::Test {
protected:
    void SetUp() override { doubles::ResetRegistry(); }
    ToolbarTables tables;
};

TEST_F(ToolbarModel, FactoryButtonsFillTheFloatingGridRowByRow)
{
    ResetToolbarButtons(tables, ToolbarFaceSizes{});
    ASSERT_EQ(tables.buttonCount, kFactoryButtonCount);
    // Rows of 4, 2, 4 and 3 buttons of 26 x 22 with 2 pixels between and around them.
    const struct {
        int button;
        ToolbarRect rect;
        u32 spacing;
    } rows[] = {
        {0, {2, 2, 28, 24}, 2},  {3, {86, 2, 112, 24}, 6},  {4, {2, 26, 28, 48}, 2},  {5, {30, 26, 56, 48}, 6},
        {6, {2, 50, 28, 72}, 2}, {9, {86, 50, 112, 72}, 2}, {10, {2, 74, 28, 96}, 2}, {12, {58, 74, 84, 96}, 6},
    };
    for (const auto& r : rows) {
        const ToolbarButton& b = tables.buttons[r.button];
        SCOPED_TRACE(r.button);
        EXPECT_EQ(b.rect.left, r.rect.left);
        EXPECT_EQ(b.rect.top, r.rect.top);
        EXPECT_EQ(b.rect.right, r.rect.right);
        EXPECT_EQ(b.rect.bottom, r.rect.bottom);
        EXPECT_EQ(b.spacing, r.spacing);
        EXPECT_EQ(b.image, static_cast<u32>(r.button));
        EXPECT_EQ(b.action, static_cast<u32>(r.button));
        EXPECT_EQ(b.isDefault, 1u);
    }
    EXPECT_TRUE(ToolbarButtonsAreFactory(tables));
    SetToolbarButton(tables, 12, 6, tables.buttons[12].rect, 12, 12, nullptr);
    EXPECT_FALSE(ToolbarButtonsAreFactory(tables)) << "an edited button is saved";
}

TEST_F(ToolbarModel, FactoryActionsPostTheMenuCommands)
{
    ResetToolbarActions(tables, false);
    const struct {
        int action;
        i32 command;
    } cases[] = {{0, 1015},  {2, 1020}, {11, 1090}, {12, 1000}, {13, 0},  {26, 1002}, {33, 0},
                 {53, 1075}, {63, 0},   {65, 1036}, {79, 0},    {80, -1}, {-1, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ToolbarActionCommand(tables, c.action), c.command) << c.action;
    EXPECT_EQ(tables.actionCount, 66);
    // A fixed profile has no "Save Session As...": the Save button saves.
    ResetToolbarActions(tables, true);
    EXPECT_EQ(ToolbarActionCommand(tables, 2), 1011);
}

TEST_F(ToolbarModel, StoredTypeKeepsNoneAndFloatingAndAttachesAnythingElse)
{
    const u32 cases[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 1}, {0xFFFFFFFF, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(ToolbarTypeFromValue(c[0]), c[1]) << c[0];
}

TEST_F(ToolbarModel, FloatingPlaceIsSignedAndReadOnlyWhenWhole)
{
    HKEY section = Key(VXT("Toolbar"));
    ToolbarRect rect{1, 2, 3, 4};
    EXPECT_FALSE(ReadFloatingRect(section, rect));
    WriteFloatingRect(section, ToolbarRect{-50, -8, 72, 117});
    ASSERT_TRUE(ReadFloatingRect(section, rect));
    EXPECT_EQ(rect.left, -50);
    EXPECT_EQ(rect.top, -8);
    EXPECT_EQ(rect.right, 72);
    EXPECT_EQ(rect.bottom, 117);
    for (auto units : {std::initializer_list<int>{10, 10, 90}, std::initializer_list<int>{10, 10, 90, 90, 0}}) {
        PutUnits(section, VXT("Floating"), units);
        rect = ToolbarRect{1, 2, 3, 4};
        EXPECT_FALSE(ReadFloatingRect(section, rect)) << units.size() << " units";
        EXPECT_EQ(rect.left, 1);
    }
}

TEST_F(ToolbarModel, BarIsBroughtBackOntoTheArea)
{
    const ToolbarRect area{0, 0, 1024, 738};
    const struct {
        ToolbarRect in, out;
    } cases[] = {
        {{-50, 10, 72, 135}, {0, 10, 122, 135}},          // saved partly left of the screen
        {{100, -30, 222, 95}, {100, 0, 222, 125}},        // above it
        {{65486, 10, 65608, 135}, {902, 10, 1024, 135}},  // far to the right
        {{950, 700, 1072, 825}, {902, 613, 1024, 738}},   // past the lower-right corner
        {{-10, -10, 2000, 900}, {0, 0, 2010, 910}},       // larger than the area
        {{10, 10, 132, 135}, {10, 10, 132, 135}},         // already on it
    };
    for (const auto& c : cases) {
        const ToolbarRect r = BringOntoArea(c.in, area);
        EXPECT_EQ(r.left, c.out.left) << c.in.left;
        EXPECT_EQ(r.top, c.out.top) << c.in.left;
        EXPECT_EQ(r.right, c.out.right) << c.in.left;
        EXPECT_EQ(r.bottom, c.out.bottom) << c.in.left;
    }
}

TEST_F(ToolbarModel, DefaultFloatingBarHoldsTheFourByFourGrid)
{
    const ToolbarRect r = DefaultFloatingRect(100, 50, ToolbarFaceSizes{}, ToolbarSize{8, 27});
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 4 * 26 + 8 + 5 * 2);
    EXPECT_EQ(r.bottom - r.top, 4 * 22 + 27 + 5 * 2);
}

TEST_F(ToolbarModel, ButtonsRoundTripThroughDefnsAndActions)
{
    ResetToolbarButtons(tables, ToolbarFaceSizes{});
    SetToolbarButton(tables, 1, 14, ToolbarRect{30, 2, 56, 24}, 22, 45, VXT("ls^M"));
    SetToolbarButton(tables, 15, 2, ToolbarRect{-4, 2, 22, 24}, 3, 3, nullptr);
    HKEY defns = Key(VXT("Toolbar\\Defns")), actions = Key(VXT("Toolbar\\Actions"));
    WriteToolbarButtons(tables, defns, actions);

    ToolbarTables back;
    ReadToolbarButtons(back, defns, actions);
    ASSERT_EQ(back.buttonCount, 16);
    EXPECT_EQ(back.buttons[1].spacing, 14u);
    EXPECT_EQ(back.buttons[1].image, 22u);
    EXPECT_EQ(back.buttons[1].action, 45u);
    EXPECT_EQ(Text(back.buttons[1].text), VXT("ls^M"));
    EXPECT_EQ(back.buttons[1].isDefault, 0u);
    EXPECT_EQ(back.buttons[15].rect.left, -4);
    EXPECT_EQ(Text(back.buttons[15].text), VXT(""));
    EXPECT_EQ(back.buttons[12].action, 12u);
    // Texts are written only for buttons that have one.
    EXPECT_EQ(doubles::Registry().keys[VXT("Toolbar\\Actions")].size(), 1u);
}

TEST_F(ToolbarModel, DefnsOfTheWrongSizeAreSkippedAndTextsCut)
{
    HKEY defns = Key(VXT("Toolbar\\Defns")), actions = Key(VXT("Toolbar\\Actions"));
    PutUnits(defns, VXT("0"), {2, 2, 2, 28, 24, 0, 0, 9});  // 8 units
    PutUnits(defns, VXT("1"), {2, 2, 2, 28, 24, 0});        // 6 units
    PutUnits(defns, VXT("4"), {2, 2, 2, 28, 24, 500, 200});
    PutUnits(defns, VXT("64"), {2, 2, 2, 28, 24, 0, 0});  // past the table
    const Text16 longText(300, wchar16('x'));
    SettingsWriteString(actions, VXT("4"), longText.c_str());

    tables.buttonCount = 9;
    ReadToolbarButtons(tables, defns, actions);
    EXPECT_EQ(tables.buttonCount, 5);
    EXPECT_EQ(Text(tables.buttons[4].text), longText.substr(0, kToolbarTextUnits - 1));
    // Indexes past the tables are kept as stored but name no picture or command.
    EXPECT_EQ(ToolbarActionCommand(tables, static_cast<int>(tables.buttons[4].action)), -1);

    ReadToolbarButtons(tables, Key(VXT("Empty\\Defns")), nullptr);
    EXPECT_EQ(tables.buttonCount, 0) << "an empty Defns key leaves no buttons";
}

TEST_F(ToolbarModel, ImagesAreFoundByNameWithoutRegardToCase)
{
    HBITMAP a = reinterpret_cast<HBITMAP>(0x10), b = reinterpret_cast<HBITMAP>(0x20);
    SetToolbarImage(tables, 0, a, VXT("Connect"), 1);
    SetToolbarImage(tables, 21, b, VXT("C:\\Pics\\Ship.bmp"), 0);
    SetToolbarImage(tables, 128, b, VXT("past"), 0);
    EXPECT_EQ(tables.imageCount, 22);
    EXPECT_EQ(FindToolbarImage(tables, VXT("CONNECT")), 0);
    EXPECT_EQ(FindToolbarImage(tables, VXT("c:\\pics\\ship.BMP")), 21);
    EXPECT_EQ(FindToolbarImage(tables, VXT("Connec")), -1);
    EXPECT_EQ(FindToolbarImage(tables, VXT("past")), -1);
}

}  // namespace
