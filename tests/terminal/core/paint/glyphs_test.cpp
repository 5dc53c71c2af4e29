#include "terminal/core/paint/glyphs.h"

#include <gtest/gtest.h>

#include "terminal/core/screen/charsets.h"

#ifndef _WIN32
#include "terminal/core/iconvpeer.h"
#endif

namespace {

TEST(GlyphIndexTest, EveryCharacterFindsAGlyphInsideItsResourceOrNone)
{
    struct Case {
        const char* what;
        int (*f)(u16);
        u16 c;
        int index;
    } cases[] = {
        {"DEC blank", LineDrawingMapIndex, 95, 0},
        {"DEC vertical line", LineDrawingMapIndex, 'x', 25},
        {"DEC last", LineDrawingMapIndex, 126, 31},
        {"PC light shade", LineDrawingMapIndex, 176, 32},
        {"PC square", LineDrawingMapIndex, 254, 110},
        {"PC no-break space is no glyph", LineDrawingMapIndex, 255, -1},
        {"far past the glyphs", LineDrawingMapIndex, 0x2500, -1},
        {"house", LineDrawingMapIndex, 127, 111},
        {"error glyph 132", LineDrawingMapIndex, 132, 116},
        {"error glyph 133", LineDrawingMapIndex, 133, 117},
        {"letter", LineDrawingMapIndex, 'A', -1},
        {"213 map by the run", LineDrawingMapIndex, 213, 69},
        {"213 bitmap of its own", LineDrawingBitmapIndex, 213, 114},
        {"242 bitmap of its own", LineDrawingBitmapIndex, 242, 115},
        {"bitmap otherwise as the map", LineDrawingBitmapIndex, 'q', 18},
        {"symbol first", SymbolGlyphIndex, 33, 0},
        {"symbol last", SymbolGlyphIndex, 126, 93},
        {"symbol blank", SymbolGlyphIndex, 32, -1},
        {"symbol DEL", SymbolGlyphIndex, 127, -1},
        {"control 31", ControlGlyphIndex, 31, 31},
        {"blank is no control picture", ControlGlyphIndex, 32, -1},
        {"bitmap last", BitmapGlyphIndex, 242, 242},
        {"bitmap past the end", BitmapGlyphIndex, 243, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.f(c.c), c.index) << c.what;
    for (u32 c = 0; c <= 0xFFFF; ++c) {
        EXPECT_LT(LineDrawingBitmapIndex(static_cast<u16>(c)), kLineDrawingGlyphCount);
        EXPECT_LT(SymbolGlyphIndex(static_cast<u16>(c)), kSymbolGlyphCount);
        EXPECT_LT(ControlGlyphIndex(static_cast<u16>(c)), kControlGlyphCount);
    }
}

#ifndef _WIN32
// Glyph-set-6 codes must agree with the code pages, since copying and printing turn a
// code back into the character it shows.
TEST(GlyphIndexTest, BitmapGlyphCodesStandForThePcCharacters)
{
    Iconv cp437("UTF-16LE", "IBM437"), cp850("UTF-16LE", "IBM850"), cp852("UTF-16LE", "IBM852");
    ASSERT_TRUE(cp437.ok() && cp850.ok() && cp852.ok());
    EXPECT_EQ(kBitmapGlyphChars[32], 0x0020);
    EXPECT_EQ(BitmapGlyphCodeFor(0x0020), 32);
    for (u16 code = 1; code < 32; ++code)
        EXPECT_EQ(kBitmapGlyphChars[code], ControlCharGlyph(code)) << code;
    for (u16 code = 33; code <= 111; ++code)
        EXPECT_EQ(kBitmapGlyphChars[code], PeerDecode(cp437, static_cast<u8>(code + 144))) << code;
    EXPECT_EQ(kBitmapGlyphChars[112], PeerDecode(cp437, 176));
    // Every character of the three PC code pages that Latin-1 lacks has a code.
    for (Iconv* page : {&cp437, &cp850, &cp852})
        for (u16 b = 128; b <= 255; ++b) {
            const u16 u = PeerDecode(*page, static_cast<u8>(b)).value_or(0);
            if (u <= 0xFF)
                continue;
            const int code = BitmapGlyphCodeFor(u);
            ASSERT_GE(code, 0) << "U+" << std::hex << u;
            EXPECT_EQ(kBitmapGlyphChars[code], u);
        }
}
#endif

}  // namespace
