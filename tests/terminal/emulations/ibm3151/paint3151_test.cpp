// The IBM 3151's row painter into a DIB section: the line-drawing set draws the box
// pieces terminfo's acsc names, and field attributes lend their look to their text.
#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "../../core/dibcanvas.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/ticks.h"
#include "terminal/core/window/idle.h"
#include "terminal/core/paint/frame.h"
#include "terminal/core/paint/glyphpaint.h"
#include "terminal/emulations/ibm3151/family.h"
#include "terminal/emulations/ibm3151/charsets.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/lifecycle.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/window/run3151.h"
#include "terminal/settings/store/colours.h"

namespace {
constexpr int kCell = 9, kLine = 17;

class Paint3151 : public ::testing::Test {
protected:
    int savedWidth = 0, savedHeight = 0;

    void SetUp() override
    {
        savedWidth = CellWidth;
        savedHeight = LineHeight;
        SetCellSize(kCell, kLine);
        BlinkPhaseOn = 1;
        SetFactoryAttributeColours();
        EmulationId = kEmuIbm3151;
        SetActiveFamily(&Ibm3151Family);
        ASSERT_TRUE(I3151StartEngine());
    }
    void TearDown() override
    {
        I3151StopEngine();
        SetActiveFamily(nullptr);
        EmulationId = kDefaultEmulationId;
        SetCellSize(savedWidth, savedHeight);
    }
    // Characters written as the host's bytes would write them (no reader here to pull
    // a sequence's bytes).
    static void Write(const std::vector<int>& bytes)
    {
        for (int b : bytes)
            I3151WriteChar(I3151GetPage(0), static_cast<u8>(b));
    }
    static void Paint(int row, int c0, int c1)
    {
        FrameComposeScope composing;
        I3151RepaintRegion(row, c0, row, c1);
    }
    static std::vector<u32> CellPixels(const DibCanvas& canvas, int row, int column)
    {
        std::vector<u32> pixels;
        for (int y = row * kLine; y < (row + 1) * kLine; ++y)
            for (int x = column * kCell; x < (column + 1) * kCell; ++x)
                pixels.push_back(canvas.At(x, y));
        return pixels;
    }
};

// ibm3151's acsc: each VT letter is sent with its eighth bit in the alternate set, and
// must draw that letter's box piece: ink on the arms the piece has, none where it has
// none (a few pixels of leeway around the middle for the font's own line positions).
TEST_F(Paint3151, AcscLettersDrawTheirBoxPieces)
{
    DibCanvas canvas(80 * kCell, 2 * kLine);
    struct Piece {
        char letter;
        bool up, down, left, right;
    };
    const Piece pieces[] = {
        {'j', true, false, true, false}, {'k', false, true, true, false}, {'l', false, true, false, true},
        {'m', true, false, false, true}, {'n', true, true, true, true},   {'q', false, false, true, true},
        {'t', true, true, false, true},  {'u', true, true, true, false},  {'v', true, false, true, true},
        {'w', false, true, true, true},  {'x', true, true, false, false},
    };
    const int count = static_cast<int>(std::size(pieces));
    I3151GetPage(0)->g1 = kI51SetLines;  // ESC > A
    std::vector<int> bytes;
    for (const Piece& p : pieces)
        bytes.push_back(0x80 | p.letter);
    Write(bytes);
    Paint(0, 0, count - 1);
    const u32 ink = PaletteRgb(I3151AttributeColours.foreground);
    for (int i = 0; i < count; ++i) {
        auto inked = [&](int x0, int y0, int x1, int y1) {
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x)
                    if (canvas.At(i * kCell + x, y) == ink)
                        return true;
            return false;
        };
        const Piece& p = pieces[i];
        EXPECT_EQ(inked(2, 0, 6, 4), p.up) << p.letter << " up";
        EXPECT_EQ(inked(2, 12, 6, kLine - 1), p.down) << p.letter << " down";
        EXPECT_EQ(inked(0, 5, 1, 11), p.left) << p.letter << " left";
        EXPECT_EQ(inked(7, 5, kCell - 1, 11), p.right) << p.letter << " right";
    }
}

// A field's reverse attribute shows on its text, unless its attributes are not shown.
TEST_F(Paint3151, AFieldLendsItsRenditionToItsText)
{
    DibCanvas canvas(80 * kCell, 2 * kLine);
    AttributeColourTable.frg[8] = 0x27;  // reverse applies (bit 5)
    I3151ApplySetupValues();
    const u8 field[2] = {'!', 'A'};  // ESC 3 ! A: a reverse field
    I3151SetFieldAttribute(I3151GetPage(0), field, 2);
    Write({'x'});
    Paint(0, 0, 2);
    const u32 fg = PaletteRgb(I3151AttributeColours.foreground);
    int background = 0;
    for (u32 p : CellPixels(canvas, 0, 1))
        background += p == fg;
    EXPECT_GT(background, kCell * kLine / 2) << "reversed: the foreground colour fills the cell";
    for (u32 p : CellPixels(canvas, 0, 0))
        EXPECT_NE(p, fg) << "the attribute cell itself is a plain blank";
    AttributeColourTable.frg[8] = 0x07;  // reverse does not apply
    I3151ApplySetupValues();
    Paint(0, 0, 2);
    background = 0;
    for (u32 p : CellPixels(canvas, 0, 1))
        background += p == fg;
    EXPECT_LT(background, kCell * kLine / 2);
}

}  // namespace
