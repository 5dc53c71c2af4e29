// The soft-button bar's layout rules and its profile values, away from any window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/doubles_registry.h"
#include "terminal/input/bars/keylabels.h"
#include "terminal/input/bars/softbarlayout.h"
#include "terminal/input/bars/softbarvalues.h"

namespace {

TEST(SoftBarLayout, LevelsRotateOnlyWhileSomeAreHidden)
{
    // clang-format off
    const struct {
        int order, step, visible, expected;
    } cases[] = {
        {0, 1, 1, 1}, {3, 1, 1, 0}, {0, -1, 2, 3}, {2, 1, 3, 3},
        {1, 1, 4, 1},  // all four show: nothing to rotate
        {1, 1, 0, 1},  // hidden bar
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(RotateSoftBarOrder(c.order, c.step, c.visible), c.expected)
            << c.order << " " << c.step << " " << c.visible;
    EXPECT_EQ(VisibleSoftBarLevel(2, 3), 1);  // 2 3 0 1
}

TEST(SoftBarLayout, ButtonCellsFollowTheVisibleLevels)
{
    SoftBarCell cell;
    // Attached, two levels from level 3 on: level 3 (codes 42-55) on top, then level 0.
    ASSERT_TRUE(SoftBarButtonCell(42 + 7, 3, 2, kSoftBarAttachedColumns, &cell));
    EXPECT_EQ(cell.column, 0);
    EXPECT_EQ(cell.row, 1);
    ASSERT_TRUE(SoftBarButtonCell(13, 3, 2, kSoftBarAttachedColumns, &cell));
    EXPECT_EQ(cell.column, 6);
    EXPECT_EQ(cell.row, 3);
    EXPECT_FALSE(SoftBarButtonCell(14, 3, 2, kSoftBarAttachedColumns, &cell));  // level 1 hidden
    EXPECT_FALSE(SoftBarButtonCell(56, 0, 4, kSoftBarAttachedColumns, &cell));
    // Floating at five columns: a level takes three rows.
    ASSERT_TRUE(SoftBarButtonCell(13, 0, 1, 5, &cell));
    EXPECT_EQ(cell.column, 3);
    EXPECT_EQ(cell.row, 2);
    EXPECT_EQ(FloatingSoftBarColumns(10, 72), 1);
    EXPECT_EQ(FloatingSoftBarColumns(5000, 72), 14);
}

HKEY Section()
{
    return doubles::RegistryKeyHandle(VXT("SOFTBUTTONS"));
}

TEST(KeyLabels, SoftButtonLabelsWrapAfterColumnEightyAndAreHitByPoint)
{
    KeyLabelRect rects[kKeyLabelCount];
    // Two levels, 10-pixel cells, 16-pixel characters, from y 400.
    EXPECT_EQ(LayoutKeyLabelRects(kSoftButtonLabelBounds, kSoftButtonLabelBoundCount, rects, 28, 10, 16, 400, 80),
              4);
    const struct {
        int label, left, top, right;
    } cases[] = {
        {0, 0, 400, 80}, {1, 80, 400, 200}, {6, 680, 400, 800}, {7, 0, 420, 80}, {27, 680, 460, 800},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rects[c.label].left, c.left) << c.label;
        EXPECT_EQ(rects[c.label].top, c.top) << c.label;
        EXPECT_EQ(rects[c.label].right, c.right) << c.label;
        EXPECT_EQ(rects[c.label].bottom, c.top + 20) << c.label;
    }
    EXPECT_EQ(HitTestKeyLabels(85, 405, rects, 28), 1);
    EXPECT_EQ(HitTestKeyLabels(80, 419, rects, 28), 1);  // left edges belong to the label
    EXPECT_EQ(HitTestKeyLabels(80, 420, rects, 28), 8);
    EXPECT_EQ(HitTestKeyLabels(800, 405, rects, 28), -1);
    EXPECT_EQ(HitTestKeyLabels(5, 399, rects, 28), -1);
    // DG mode wraps at 81: the bounds end first, and no label reads past them.
    EXPECT_EQ(LayoutKeyLabelRects(kSoftButtonLabelBounds, kSoftButtonLabelBoundCount, rects, 14, 10, 16, 0, 81),
              2);
    EXPECT_EQ(rects[7].left, 0);
    EXPECT_EQ(rects[7].top, 20);
}

void SetDword(const wchar16* name, u32 value)
{
    SettingsWriteDword(Section(), name, value);
}

TEST(SoftBarValues, ReadsSignedPlacesAndRefusesOutOfRangeLevels)
{
    doubles::ResetRegistry();
    SetDword(VXT("cSoftButtonLevelView"), 9);
    SetDword(VXT("Order"), 7);
    SetDword(VXT("Attached"), 0);
    SetDword(VXT("x"), static_cast<u32>(-50));
    SetDword(VXT("y"), static_cast<u32>(-10));
    SetDword(VXT("w"), 400);
    SetDword(VXT("h"), 90);
    SoftBarValues v;
    ReadSoftBarValues(Section(), v);
    EXPECT_EQ(v.levelView, 1);
    EXPECT_EQ(v.order, 0u);
    EXPECT_EQ(v.attached, 0u);
    EXPECT_EQ(v.x, -50);
    EXPECT_EQ(v.y, -10);
    EXPECT_EQ(v.w, 400);
    // The bar closed with one level is kept as -1.
    doubles::ResetRegistry();
    SetDword(VXT("cSoftButtonLevelView"), static_cast<u32>(-1));
    ReadSoftBarValues(Section(), v);
    EXPECT_EQ(v.levelView, -1);
}

// The value "%d" of a button's code holding `units`.
void SetPlace(int code, std::vector<i32> units)
{
    const std::string digits = std::to_string(code);
    doubles::RegistryValue value;
    value.type = kRegBinary;
    value.bytes.resize(units.size() * sizeof(i32));
    std::memcpy(value.bytes.data(), units.data(), value.bytes.size());
    doubles::Registry().keys[VXT("SOFTBUTTONS")][std::basic_string<wchar16>(digits.begin(), digits.end())] =
        std::move(value);
}

// A button's own place ("%d" of its code): taken only whole and inside a bar; the user's
// pass keeps a machine-wide place it does not replace; a place read is written back.
TEST(SoftBarValues, ButtonPlacesAreReadWholeAndKept)
{
    // clang-format off
    const struct {
        int code;
        std::vector<i32> units;
        bool taken;
    } cases[] = {
        {3,  {10, 4, 82, 26},    true},
        {55, {0, 0, 1, 1},       true},
        {1,  {10, 4, 82},        false},  // short
        {2,  {10, 4, 82, 26, 0}, false},  // long
        {4,  {82, 4, 10, 26},    false},  // no width
        {5,  {-5, 4, 10, 26},    false},  // left of the bar
        {6,  {0, 0, 9000, 26},   false},  // past any screen
    };
    // clang-format on
    doubles::ResetRegistry();
    for (const auto& c : cases)
        SetPlace(c.code, c.units);
    SoftBarValues v;
    KeepCurrentValues = 0;
    ReadSoftBarValues(Section(), v);
    for (const auto& c : cases)
        EXPECT_EQ(v.places[c.code].present, c.taken ? 1u : 0u) << c.code;
    EXPECT_EQ(v.places[0].present, 0u);
    EXPECT_EQ(v.places[3].left, 10);
    EXPECT_EQ(v.places[3].bottom, 26);

    // The user's pass: its own place for 55, none for 3 (the machine's stays).
    doubles::ResetRegistry();
    SetPlace(55, {2, 2, 40, 20});
    KeepCurrentValues = 1;
    ReadSoftBarValues(Section(), v);
    KeepCurrentValues = 0;
    EXPECT_EQ(v.places[3].present, 1u);
    EXPECT_EQ(v.places[55].right, 40);

    doubles::ResetRegistry();
    WriteSoftBarValues(Section(), v);
    SoftBarValues back;
    ReadSoftBarValues(Section(), back);
    EXPECT_EQ(back.places[3].present, 1u);
    EXPECT_EQ(back.places[3].right, 82);
    EXPECT_EQ(back.places[55].top, 2);
    EXPECT_EQ(back.places[0].present, 0u);
}

TEST(SoftBarValues, OnlyChangedValuesAreWrittenAndReadBack)
{
    doubles::ResetRegistry();
    HKEY key = Section();
    WriteSoftBarValues(key, SoftBarValues{});
    EXPECT_TRUE(doubles::Registry().keys[VXT("SOFTBUTTONS")].empty());

    SoftBarValues changed;
    changed.levelView = 3;
    changed.order = 2;
    changed.attached = 0;
    changed.x = -20, changed.y = 5, changed.w = 300, changed.h = 80;
    changed.levelShown[2] = 1;  // the default for three levels: not written
    changed.levelShown[1] = 0;  // differs from it
    WriteSoftBarValues(key, changed);
    SoftBarValues back;
    ReadSoftBarValues(key, back);
    EXPECT_EQ(back.levelView, 3);
    EXPECT_EQ(back.order, 2u);
    EXPECT_EQ(back.attached, 0u);
    EXPECT_EQ(back.x, -20);
    EXPECT_EQ(back.h, 80);
    EXPECT_EQ(back.levelShown[1], 0u);
    EXPECT_EQ(back.levelShown[2], 1u);
}

}  // namespace
