// The 5250 row painter into a DIB section: the looks of the display attributes by the
// factory colour table (underline, column separators, reverse, non-display), the Dup
// symbol, and an extended colour.
#include <gtest/gtest.h>

#include <vector>

#include "support/winepath.h"
#include "terminal/core/base/ticks.h"
#include "terminal/core/screen/codepagefiles.h"
#include "terminal/core/dibcanvas.h"
#include "terminal/core/window/idle.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/commands5250.h"
#include "terminal/emulations/ibmhost/5250/lifecycle5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"

namespace {
constexpr int kCell = 9, kLine = 16;

class Paint5250 : public ::testing::Test {
protected:
    I5250Session s{};
    int savedWidth = 0, savedHeight = 0;

    void SetUp() override
    {
        lstrcpynW(CodePageDirectory, (WindowsPath(VX_TEST_CODEPAGE_DIR) + L"\\").c_str(), kCodePagePathUnits);
        savedWidth = BaseCellWidth;
        savedHeight = BaseLineHeight;
        SetCellSize(kCell, kLine);
        BlinkPhaseOn = 1;
        I5250SetFactorySettings(I5250Config);
        ASSERT_TRUE(I5250InitSession(&s));
        s.blockMode = 1;
        I5250ActiveSession = &s;
    }
    void TearDown() override
    {
        SetCellSize(savedWidth, savedHeight);
        I5250ActiveSession = nullptr;
        I5250FreeSession(&s);
    }

    // Runs the commands and paints what changed.
    void Commands(std::initializer_list<u8> bytes)
    {
        std::vector<u8> b(bytes);
        ASSERT_EQ(I5250ExecuteCommands(&s, b.data(), static_cast<int>(b.size()), 1), 0u);
        I5250UpdateDisplay(&s, false);
    }
    // Pixels of a colour in cell `column` of row 0, or along its last pixel row.
    int InCell(const DibCanvas& c, int index, int column) const
    {
        return c.Count(index, column * kCell, 0, (column + 1) * kCell, kLine);
    }
    int OnLastRow(const DibCanvas& c, int index, int column) const
    {
        return c.Count(index, column * kCell, kLine - 1, (column + 1) * kCell, kLine);
    }
};
}  // namespace

TEST_F(Paint5250, AttributesPaintByTheFactoryColourTable)
{
    DibCanvas canvas(80 * kCell, 25 * kLine);
    canvas.Clear(5);
    // Row 1: an underlined field (columns 1-2), column separators (4-5), both (7-8),
    // reverse (10-11), non-display (13-14), each holding "MM".
    Commands({0x04, 0x11, 0x00, 0x00, 0x11, 0x01, 0x01, 0x24, 0xD4, 0xD4, 0x30, 0xD4,
              0xD4, 0x34, 0xD4, 0xD4, 0x21, 0xD4, 0xD4, 0x27, 0xD4, 0xD4, 0x20});
    const int area = kCell * kLine;
    // Underline: green text, and the cell's last pixel row green all along.
    EXPECT_GT(InCell(canvas, 2, 1), 0);
    EXPECT_EQ(OnLastRow(canvas, 2, 1), kCell);
    // Column separators in the text colour (turquoise) at the cell's edges.
    EXPECT_EQ(canvas.At(4 * kCell, kLine - 1), PaletteRgb(6));
    EXPECT_EQ(canvas.At(5 * kCell - 1, kLine - 1), PaletteRgb(6));
    // Underlined as well: the separators take the background colour on the underline.
    EXPECT_EQ(canvas.At(7 * kCell, kLine - 1), PaletteRgb(0));
    EXPECT_EQ(canvas.At(7 * kCell + 4, kLine - 1), PaletteRgb(6));
    // Reverse: green is the background.
    EXPECT_GT(InCell(canvas, 2, 10), area / 2);
    // Non-display: blanks on the field's background (the fill replaced the canvas' own).
    EXPECT_EQ(InCell(canvas, 0, 13) + InCell(canvas, 0, 14), 2 * area);
}

TEST_F(Paint5250, DupShowsItsSymbolAndAnExtendedColourPicksItsPaletteEntry)
{
    DibCanvas canvas(80 * kCell, 25 * kLine);
    // Dup (0x1C) in column 1; "M" in colour 1 (palette 8) in column 3.
    Commands({0x04, 0x11, 0x00, 0x00, 0x11, 0x01, 0x02, 0x1C, 0x11, 0x01, 0x04, 0x12, 0x03, 0x81, 0xD4});
    EXPECT_GT(InCell(canvas, 2, 1), 0);  // the symbol's ink where a control byte would be a blank
    EXPECT_GT(InCell(canvas, 8, 3), 0);
    EXPECT_EQ(InCell(canvas, 2, 3), 0);
}
