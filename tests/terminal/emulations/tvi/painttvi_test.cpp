// The TVI row painter into a DIB section: the colours an attribute combination gives,
// block graphics as parts of their cell, and blinking cells in both phases.
#include <gtest/gtest.h>

#include <vector>

#include "../../core/dibcanvas.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/ticks.h"
#include "terminal/core/paint/frame.h"
#include "terminal/core/paint/palette.h"
#include "terminal/emulations/tvi/family.h"
#include "terminal/emulations/tvi/lifecycle.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/store/lines.h"
#include "terminal/emulations/tvi/window/runtvi.h"

namespace {
constexpr int kCell = 9, kLine = 17;

class PaintTvi : public ::testing::Test {
protected:
    int savedWidth = 0, savedHeight = 0;

    void SetUp() override
    {
        savedWidth = CellWidth;
        savedHeight = LineHeight;
        SetCellSize(kCell, kLine);
        BlinkPhaseOn = 1;
        EmulationId = kEmuTvi950;
        SetActiveFamily(&TviFamily);
        ASSERT_TRUE(TviStartEngine(kEmuTvi950));
        ApplyHlsPalette(Tvi.palette);
    }
    void TearDown() override
    {
        TviStopEngine();
        SetActiveFamily(nullptr);
        EmulationId = kDefaultEmulationId;
        ApplyColourPalette();
        SetCellSize(savedWidth, savedHeight);
    }
    // Window row 1 is the first display row (page row 0).
    static void Paint(int c0, int c1)
    {
        FrameComposeScope composing;
        TviRepaintRegion(1, c0, 1, c1);
    }
    static int Count(const DibCanvas& canvas, int column, u32 colour, int x0 = 0, int y0 = 0, int x1 = kCell - 1,
                     int y1 = kLine - 1)
    {
        int n = 0;
        for (int y = kLine + y0; y <= kLine + y1; ++y)
            for (int x = column * kCell + x0; x <= column * kCell + x1; ++x)
                n += canvas.At(x, y) == colour;
        return n;
    }
};

TEST_F(PaintTvi, AProtectedCellShowsInTheBrightIndex)
{
    DibCanvas canvas(80 * kCell, 3 * kLine);
    TviWriteChar('A', kTviGlyphPlain);
    Tvi.set.writeProtect = 1;
    TviWriteChar('A', kTviGlyphPlain);
    Paint(0, 1);
    ASSERT_NE(PaletteRgb(7), PaletteRgb(15));
    EXPECT_GT(Count(canvas, 0, PaletteRgb(7)), 0);
    EXPECT_EQ(Count(canvas, 0, PaletteRgb(15)), 0);
    EXPECT_GT(Count(canvas, 1, PaletteRgb(15)), 0) << "the intensity combination's bright half";
    EXPECT_EQ(Count(canvas, 1, PaletteRgb(7)), 0);
}

TEST_F(PaintTvi, BlockGraphicsFillTheirPartOfTheCell)
{
    DibCanvas canvas(80 * kCell, 3 * kLine);
    TviWriteChar(148, kTviGlyphBlocks);
    TviWriteChar(159, kTviGlyphBlocks);
    Paint(0, 1);
    const u32 ink = PaletteRgb(7);
    const int midX = kCell / 2, midY = kLine / 2;
    const int quarter = (kCell - midX) * (kLine - midY);
    EXPECT_EQ(Count(canvas, 0, ink, midX, midY, kCell - 1, kLine - 1), quarter) << "bottom-right filled";
    EXPECT_EQ(Count(canvas, 0, ink), quarter) << "and nothing else";
    EXPECT_EQ(Count(canvas, 1, ink), kCell * kLine) << "159 fills the whole cell";
}

TEST_F(PaintTvi, ABlinkingCellAlternatesWithABlank)
{
    DibCanvas canvas(80 * kCell, 3 * kLine);
    TviAttribute('2');  // blink, its start taking a cell
    TviWriteChar('X', kTviGlyphPlain);
    const u32 ink = PaletteRgb(7), paper = PaletteRgb(0);
    BlinkPhaseOn = 1;
    Paint(0, 1);
    EXPECT_GT(Count(canvas, 1, ink), 0);
    EXPECT_EQ(Count(canvas, 0, ink), 0) << "the attribute's own cell is a blank";
    BlinkPhaseOn = 0;
    Paint(0, 1);
    EXPECT_EQ(Count(canvas, 1, ink), 0);
    EXPECT_EQ(Count(canvas, 1, paper), kCell * kLine);
}

}  // namespace
