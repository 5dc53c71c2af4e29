#include "terminal/core/paint/glyphs.h"

namespace {

struct Single {
    u16 character;
    int index;
};

// Characters with a line-drawing glyph outside the two runs.
constexpr Single kLineDrawingSingles[] = {
    {127, 111}, {158, 112}, {169, 113}, {132, 116}, {133, 117},
};

int Checked(int index, int count)
{
    return index >= 0 && index < count ? index : -1;
}

}  // namespace

int LineDrawingMapIndex(u16 c)
{
    if (c >= 95 && c <= 126)
        return c - 95;
    // The graphics of code page 437 end at 254; 255 is its no-break space, and letting
    // the run go on would reach past the glyphs.
    if (c >= 176 && c <= 254)
        return Checked(c - 144, kLineDrawingGlyphCount);
    for (const Single& s : kLineDrawingSingles)
        if (s.character == c)
            return s.index;
    return -1;
}

int LineDrawingBitmapIndex(u16 c)
{
    if (c == 213)
        return 114;
    if (c == 242)
        return 115;
    return LineDrawingMapIndex(c);
}

int SymbolGlyphIndex(u16 c)
{
    return c >= 33 && c <= 126 ? c - 33 : -1;
}

int ControlGlyphIndex(u16 c)
{
    return Checked(c, kControlGlyphCount);
}

int BitmapGlyphIndex(u16 c)
{
    return Checked(c, kBitmapGlyphCount);
}

int BitmapGlyphCodeFor(u16 unicode)
{
    if (unicode == 0x0020)
        return 32;  // code 0 draws a blank too, but 32 is the blank that cells carry
    for (int code = 0; code < kBitmapGlyphCount; ++code)
        if (kBitmapGlyphChars[code] == unicode)
            return code;
    return -1;
}
