// The Tab Stops ruler's arithmetic: cells from the box's size, the column under a click,
// the stops set every n columns, and the scroll offset kept within the line.
#include <gtest/gtest.h>

#include <string>

#include "terminal/settings/setup/tabruler.h"

namespace {

using Text = std::basic_string<wchar16>;

Text Line(int columns)
{
    wchar16 stops[kMaxTabLineColumns + 1] = {};
    wchar16 line[kTabLineUnits];
    MakeTabLine(line, stops, columns);
    return Text(line, line + columns + 2);
}

Text Stops(const Text& line)
{
    return Text(line.c_str() + 1);
}

TEST(TabRuler, CellsFillEightyColumnsAndNeverShrinkToNothing)
{
    const struct {
        int width, height;
        RulerCells cells;
    } cases[] = {
        {644, 70, {8, 18, 644, 70}},  // (644 - 4) / 80 = 8
        {690, 70, {9, 18, 724, 70}},  // 690 mod 80 = 50: one more
        {60, 70, {1, 18, 84, 70}},    // narrower than its columns
        {2, 2, {1, 1, 84, 19}},
    };
    for (const auto& c : cases) {
        const RulerCells r = FitRuler(c.width, c.height, 2, 2, 12);
        EXPECT_EQ(r.cellWidth, c.cells.cellWidth) << c.width;
        EXPECT_EQ(r.rowHeight, c.cells.rowHeight) << c.width;
        EXPECT_EQ(r.width, c.cells.width) << c.width;
        EXPECT_EQ(r.height, c.cells.height) << c.width;
    }
}

TEST(TabRuler, SetEveryPutsStopsFromTheFirstColumn)
{
    Text line = Line(80);
    SetTabsEvery(line.data(), 8);
    for (int c = 1; c <= 80; ++c)
        EXPECT_EQ(line[c] == 'T', c % 8 == 1) << c;
    EXPECT_EQ(line[81], 0);
    SetTabsEvery(line.data(), 1);
    EXPECT_EQ(Stops(line), Text(80, 'T'));
    SetTabsEvery(line.data(), 0);
    EXPECT_EQ(Stops(line), Text(80, ' '));
    SetTabsEvery(line.data(), -3);
    EXPECT_EQ(Stops(line), Text(80, ' '));
}

TEST(TabRuler, AClickTogglesTheColumnCountedFromTheOffset)
{
    Text line = Line(132);
    // Scrolled to the right end, the left edge is column 53.
    const int offset = ScrollRuler(line.data(), 0, 3 /* SB_PAGERIGHT */, 0, 8);
    EXPECT_EQ(offset, 52);
    EXPECT_EQ(RulerColumnAt(line.data(), 0, 8, offset), 53);
    EXPECT_EQ(RulerColumnAt(line.data(), 8 * 79 + 7, 8, offset), 132);
    EXPECT_EQ(RulerColumnAt(line.data(), 8 * 80, 8, offset), 0);  // past the line
    EXPECT_EQ(RulerColumnAt(line.data(), -1, 8, 0), 0);
    EXPECT_TRUE(ToggleTabStop(line.data(), 53));
    EXPECT_EQ(line[53], 'T');
    EXPECT_TRUE(ToggleTabStop(line.data(), 53));
    EXPECT_EQ(line[53], ' ');
    for (int column : {0, 133, -4})
        EXPECT_FALSE(ToggleTabStop(line.data(), column)) << column;
    EXPECT_EQ(line[133], 0);
}

TEST(TabRuler, ScrollingStaysWithinTheLine)
{
    const Text wide = Line(132), narrow = Line(80);
    const struct {
        const Text* line;
        int offset, code, position, result;
    } cases[] = {
        {&wide, 0, 0, 0, 0},    {&wide, 5, 0, 0, 4},    {&wide, 52, 1, 0, 52},   {&wide, 10, 1, 0, 11},
        {&wide, 30, 2, 0, 0},   {&narrow, 0, 3, 0, 0},  {&narrow, 0, 1, 0, 0},   {&wide, 0, 4, 800, 52},
        {&wide, 0, 4, 80, 10},  {&wide, 10, 5, 80, -1}, {&wide, 10, 5, 120, 15}, {&wide, 10, 5, 0, 0},
        {&wide, 10, 5, 79, -1}, {&wide, 10, 5, 72, 9},  {&wide, 0, 8, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScrollRuler(c.line->data(), c.offset, c.code, c.position, 8), c.result)
            << c.offset << " " << c.code << " " << c.position;
    // A cell of no width counts as one pixel.
    EXPECT_EQ(ScrollRuler(wide.data(), 0, 4, 30, 0), 30);
}

TEST(TabRuler, ALineTakesTheStopsItHoldsAndNoMore)
{
    wchar16 stops[kMaxTabLineColumns + 1] = {};
    for (int i = 0; i < kMaxTabLineColumns; ++i)
        stops[i] = i % 4 == 0 ? 'T' : ' ';
    stops[10] = 0;  // a short pattern: no stops after it
    wchar16 line[kTabLineUnits];
    MakeTabLine(line, stops, 200);
    EXPECT_EQ(TabLineColumns(line), kMaxTabLineColumns);
    EXPECT_EQ(line[1], 'T');
    EXPECT_EQ(line[9], 'T');
    EXPECT_EQ(line[13], ' ');
    EXPECT_EQ(line[kMaxTabLineColumns + 1], 0);
}

}  // namespace
