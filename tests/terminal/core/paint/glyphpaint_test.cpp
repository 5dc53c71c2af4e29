#include "terminal/core/paint/glyphpaint.h"

#include <gtest/gtest.h>

#include "terminal/core/dibcanvas.h"
#include "terminal/core/screen/charsets.h"
#include "terminal/core/paint/glyphs.h"
#include "terminal/core/screen/paintsettings.h"

namespace {

// Ink of glyph `index` of a 9 x 17 bitmap-order resource at (x, y).
bool Ink(const u8* glyphs, int index, int x, int y)
{
    const u8* row = glyphs + index * 34 + y * 2;
    return ((x < 8 ? row[0] << x : row[1] << (x - 8)) & 0x80) != 0;
}

TEST(GlyphPaint, ResourcesHoldWhatTheirFormatsSay)
{
    struct Resource {
        int id;
        DWORD bytes;
    } resources[] = {
        {kResLineDrawingGlyphs, 146 * 34}, {kResLineDrawingMap, 146 * 2}, {kResSymbolGlyphs, 94 * 40},
        {kResSymbolMap, 94 * 2},           {kResControlGlyphs, 32 * 34},  {kResHpAlternateGlyphs, 65 * 34},
        {kResBitmapGlyphs, 243 * 34},      {kResBitmapGlyphMap, 243 * 2},
    };
    for (const Resource& r : resources) {
        DWORD size = 0;
        EXPECT_NE(GlyphResource(r.id, &size), nullptr) << r.id;
        EXPECT_EQ(size, r.bytes) << r.id;
    }
    EXPECT_EQ(GlyphResource(799, nullptr), nullptr);
}

// Every line-drawing glyph drawn from its bitmap lands pixel for pixel where the bitmap
// says, at twice its size, in the text colour on the background colour.
TEST(GlyphPaint, LineDrawingGlyphsMatchTheirBitmapsAtAnIntegerScale)
{
    DibCanvas canvas(40 * 18, 34);
    SetCellSize(18, 34);
    SetCellForeground(15);
    SetCellBackground(4);
    const u8* glyphs = GlyphResource(kResLineDrawingGlyphs, nullptr);
    const u8* map = GlyphResource(kResLineDrawingMap, nullptr);
    ASSERT_TRUE(glyphs && map);
    const wchar_t dec[] = L"`ajklmnqtuvwx";  // diamond, checkerboard, corners, lines
    const int n = static_cast<int>(std::size(dec) - 1);
    const RECT rect{0, 0, n * 18, 34};
    DrawLineDrawingGlyphs(rect, dec, n);
    for (int i = 0; i < n; ++i) {
        const int index = LineDrawingBitmapIndex(static_cast<u16>(dec[i]));
        ASSERT_EQ(map[index * 2] | map[index * 2 + 1] << 8, kDrawBitmap) << "drawn from the bitmap";
        int mismatches = 0;
        for (int y = 0; y < 34; ++y)
            for (int x = 0; x < 18; ++x)
                mismatches += canvas.At(i * 18 + x, y) != PaletteRgb(Ink(glyphs, index, x / 2, y / 2) ? 15 : 4);
        EXPECT_EQ(mismatches, 0) << "glyph for " << static_cast<char>(dec[i]);
    }
}

TEST(GlyphPaint, TextMappedGlyphsAndStrayCodesDrawNoBitmap)
{
    DibCanvas canvas(10 * 18, 34);
    SetCellSize(18, 34);
    MeasureTerminalFont(34, 18, false);
    SetCellForeground(15);
    SetCellBackground(0);
    // "y" (less-or-equal) is drawn by the font; code 255 and a letter have no glyph.
    const wchar_t text[] = {L'y', 255, L'A', 0x2500};
    DrawLineDrawingGlyphs(RECT{0, 0, 4 * 18, 34}, text, 4);
    EXPECT_GT(canvas.Count(15, 0, 0, 18, 34), 10) << "the font drew the character";
    EXPECT_EQ(canvas.Count(15, 18, 0, 4 * 18, 34), 0) << "no ink for codes without a glyph";
}

TEST(GlyphPaint, ControlPicturesOnlyForControlCodesAndNothingWhileTheDisplayIsOff)
{
    DibCanvas canvas(4 * 9, 17);
    SetCellSize(9, 17);
    SetCellForeground(15);
    SetCellBackground(0);
    const wchar_t text[] = {1, 32};
    DrawResourceFontGlyphs(RECT{0, 0, 18, 17}, text, 2);
    EXPECT_GT(canvas.Count(15, 0, 0, 9, 17), 0);
    EXPECT_EQ(canvas.Count(15, 9, 0, 18, 17), 0) << "a blank has no control picture";
    canvas.Clear(0);
    PaintSettings.displayOff = 1;
    DrawResourceFontGlyphs(RECT{0, 0, 18, 17}, text, 1);
    DrawLineDrawingGlyphs(RECT{0, 0, 9, 17}, L"q", 1);
    PaintSettings.displayOff = 0;
    EXPECT_EQ(canvas.Count(15, 0, 0, 36, 17), 0);
}

TEST(GlyphPaint, GlyphSetSixDrawsBoxesFromBitmapsAndLettersAsText)
{
    DibCanvas canvas(4 * 9, 17);
    SetCellSize(9, 17);
    MeasureTerminalFont(17, 9, false);
    SetCellForeground(15);
    SetCellBackground(0);
    const wchar_t codes[] = {static_cast<wchar_t>(BitmapGlyphCodeFor(0x2550)),
                             static_cast<wchar_t>(BitmapGlyphCodeFor(0x0141)), 32, 300};
    DrawBitmapGlyph(RECT{0, 0, 36, 17}, codes, 4);
    // The double horizontal line crosses the whole cell on two rows.
    EXPECT_EQ(canvas.Count(15, 0, 6, 9, 7), 9);
    EXPECT_EQ(canvas.Count(15, 0, 10, 9, 11), 9);
    EXPECT_GT(canvas.Count(15, 9, 0, 18, 17), 5) << "L with stroke drawn by the font";
    EXPECT_EQ(canvas.Count(15, 18, 0, 36, 17), 0);
}

TEST(GlyphPaint, MonochromeGlyphsAreDrawnAsRulesInTheTextColour)
{
    DibCanvas canvas(40, 40);
    SetCellForeground(2);
    // 4 x 2 glyph: "#..#" and ".##.", drawn at twice the size.
    const u8 bits[2] = {0x90, 0x60};
    DrawGlyphBitmap(5, 5, 8, 4, bits, 4, 2, 0);
    EXPECT_EQ(canvas.Count(2, 0, 0, 40, 40), 16);
    EXPECT_EQ(canvas.At(5, 5), PaletteRgb(2));
    EXPECT_EQ(canvas.At(6, 6), PaletteRgb(2));
    EXPECT_EQ(canvas.At(7, 5), PaletteRgb(0));
    EXPECT_EQ(canvas.At(9, 8), PaletteRgb(2));
    DrawGlyphBitmap(0, 0, 0, 4, bits, 4, 2, 0);  // no size: nothing, no leak
}

}  // namespace
