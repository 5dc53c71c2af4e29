// Where the toolbar's buttons lie: the attached row with its group gaps, hits between
// buttons, and the floating bar laid out again when it is resized.
#include <gtest/gtest.h>

#include "terminal/input/bars/toolbarlayout.h"

namespace {

class ToolbarLayout : public ::testing::Test {
protected:
    void SetUp() override { ResetToolbarButtons(tables, faces); }
    ToolbarFaceSizes faces;
    ToolbarTables tables;
};

TEST_F(ToolbarLayout, AttachedRowKeepsEachButtonsSpacingBeforeIt)
{
    // Spacings 2, 2, 2, 6, 2, 6 ...: a wider gap opens each group.
    const i32 lefts[] = {2, 30, 58, 90, 118, 150, 178, 210, 238, 266, 294, 326, 358};
    for (int i = 0; i < kFactoryButtonCount; ++i) {
        const ToolbarRect r = AttachedButtonRect(tables, i, faces.small);
        EXPECT_EQ(r.left, lefts[i]) << i;
        EXPECT_EQ(r.right - r.left, 26) << i;
        EXPECT_EQ(r.top, 1) << i;
        EXPECT_EQ(r.bottom, 23) << i;
    }
}

TEST_F(ToolbarLayout, HitsFindTheButtonUnderThePointerAndNothingBetween)
{
    const struct {
        bool attached;
        i32 x, y;
        int button;
    } cases[] = {
        {true, 2, 1, 0},    {true, 27, 22, 0},   {true, 28, 10, -1},  {true, 30, 10, 1},  {true, 88, 10, -1},
        {true, 90, 10, 3},  {true, 384, 10, -1}, {true, 370, 23, -1}, {true, 1, 10, -1},  {false, 2, 2, 0},
        {false, 30, 26, 5}, {false, 58, 74, 12}, {false, 86, 74, -1}, {false, 29, 3, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HitToolbarButton(tables, c.attached, c.x, c.y, faces.small), c.button)
            << (c.attached ? "attached " : "floating ") << c.x << "," << c.y;
    tables.buttonCount = 0;
    EXPECT_EQ(HitToolbarButton(tables, true, 10, 10, faces.small), -1);
}

TEST_F(ToolbarLayout, FaceFollowsTheButtonWidth)
{
    const i32 cases[][2] = {{26, 0}, {41, 1}, {56, 2}, {30, -1}, {0, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ToolbarFaceIndex(c[0], faces), c[1]) << c[0];
}

TEST_F(ToolbarLayout, TallerBarGetsNarrowerWiderBarGetsShorter)
{
    const ToolbarSize grid{114, 98};  // the factory 4 x 4 grid's client area
    const struct {
        ToolbarSize client;
        i32 minimum;
        ToolbarSize need;
        int perRow;
    } cases[] = {
        {{114, 200}, 0, {58, 170}, 2},    // 8 rows fit: 2 buttons a row
        {{114, 200}, 100, {86, 122}, 3},  // but never laid out narrower than the system allows
        {{300, 98}, 0, {282, 50}, 10},    // the width decides: 10 a row
        {{20, 98}, 0, {30, 314}, 1},      // one a row at the least
    };
    for (const auto& c : cases) {
        ToolbarTables t = tables;
        const ToolbarSize need = ReflowFloatingButtons(t, c.client, grid, c.minimum);
        SCOPED_TRACE(testing::Message() << c.client.cx << "x" << c.client.cy << " min " << c.minimum);
        EXPECT_EQ(need.cx, c.need.cx);
        EXPECT_EQ(need.cy, c.need.cy);
        int perRow = 1;
        while (perRow < t.buttonCount && t.buttons[perRow].rect.top == t.buttons[0].rect.top)
            ++perRow;
        EXPECT_EQ(perRow, c.perRow);
        // Rows follow each other one gap apart; no button overlaps the next.
        for (int i = 1; i < t.buttonCount; ++i) {
            const ToolbarRect &a = t.buttons[i - 1].rect, &b = t.buttons[i].rect;
            EXPECT_TRUE(b.top == a.top ? b.left == a.right + kToolbarGap : b.top == a.bottom + kToolbarGap) << i;
            EXPECT_EQ(b.right - b.left, 26) << i;
        }
    }
}

}  // namespace
