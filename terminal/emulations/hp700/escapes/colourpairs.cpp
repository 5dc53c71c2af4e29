// ESC & v: the eight colour pairs. The host gives each colour as three fractions (red,
// green, blue, or hue, saturation, lightness); the terminal shows the nearest of its 16
// palette entries.
#include <algorithm>

#include "terminal/core/host/hostio.h"
#include "terminal/emulations/hp700/escapes/escapes.h"
#include "terminal/emulations/hp700/fields/fields.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/replies/replies.h"
#include "terminal/emulations/hp700/screen/write.h"
#include "terminal/settings/store/hls.h"

namespace {

u8 Upper(u8 terminator)
{
    return terminator >= 'a' && terminator <= 'z' ? static_cast<u8>(terminator & ~0x20) : terminator;
}

// A fraction in hundredths; a value with an integer part counts as 100.
u8 Hundredths(const Hp700Group& g)
{
    if (g.negative)
        return 0;
    return g.value != 0 ? 100 : static_cast<u8>(std::min(g.fraction, 100));
}

int ToIndex(const u8* v)
{
    return Hp700.colourModeHls ? Hp700HlsToIndex(v[0], v[1], v[2]) : Hp700RgbToIndex(v[0], v[1], v[2]);
}

// Cells from the cursor to the next colour mark take pair n.
void StartPair(int n)
{
    ScreenCell* cell = Hp700CursorCell();
    if (Hp700.formatMode && Hp700CellProtected(*cell)) {
        if (Hp700.settings.bell)
            RequestBell();
        return;
    }
    cell->flags |= kHpMarkColour;
    ScreenCell* c = Hp700CursorLine()->cells;
    for (int i = Hp700.cursorColumn; i <= Hp700.lastColumn; ++i) {
        if (i != Hp700.cursorColumn && (c[i].flags & kHpMarkColour))
            break;
        c[i].colour = static_cast<u8>((c[i].colour & 0xF0) | n);
    }
    Hp700FillNullsLeft();
    Hp700MarkLinesUsed();
    Hp700MarkChanged(Hp700CursorScreenRow(), Hp700.cursorColumn, Hp700.lastColumn);
}

}  // namespace

int Hp700HlsToIndex(int h, int s, int l)
{
    const bool strong = s >= 51 && l >= 25;
    const bool weak = s >= 25 && l >= 25;
    if (strong || weak) {
        // clang-format off
        static const struct { int hue, strong, weak; } kHues[] = {
            {92, 1, 9}, {75, 5, 13}, {59, 4, 12}, {42, 6, 14}, {25, 2, 10}, {9, 3, 11}, {0, 1, 9},
        };
        // clang-format on
        for (const auto& row : kHues)
            if (h >= row.hue)
                return strong ? row.strong : row.weak;
    }
    if (h < 9 && s >= 25 && l < 25)
        return 7;
    if (l < 25)
        return 7;
    if (l < 51)
        return 15;
    if (l < 76)
        return 8;
    return 0;
}

int Hp700RgbToIndex(int r, int g, int b)
{
    int hue = r, lightness = g, saturation = b;
    RgbToHls(hue, lightness, saturation);
    const int largest = std::max({r, g, b});
    auto lit = [largest](int v) { return v > 24 && 2 * v >= largest; };
    const int bits = (lit(r) ? 1 : 0) | (lit(g) ? 2 : 0) | (lit(b) ? 4 : 0);
    const bool strong = saturation >= 51;
    // clang-format off
    switch (bits) {
    case 1: return strong ? 1 : 9;   // red
    case 5: return strong ? 5 : 13;  // red and blue
    case 4: return strong ? 4 : 12;  // blue
    case 6: return strong ? 6 : 14;  // green and blue
    case 2: return strong ? 2 : 10;  // green
    case 3: return strong ? 3 : 11;  // red and green
    case 7: return lightness < 76 ? 8 : 0;
    default: return lightness > 24 ? 15 : 7;
    }
    // clang-format on
}

void Hp700ColourPairs(const Hp700GroupParameters& p)
{
    for (int i = 0; i < p.count; ++i) {
        const Hp700Group& g = p.groups[i];
        const int n = std::clamp(static_cast<int>(g.value), 0, 7);
        switch (Upper(g.terminator)) {
        case 'A': Hp700.colourValues[0] = Hundredths(g); break;
        case 'B': Hp700.colourValues[1] = Hundredths(g); break;
        case 'C': Hp700.colourValues[2] = Hundredths(g); break;
        case 'X': Hp700.colourValues[3] = Hundredths(g); break;
        case 'Y': Hp700.colourValues[4] = Hundredths(g); break;
        case 'Z': Hp700.colourValues[5] = Hundredths(g); break;
        case 'I':
            std::copy(std::begin(Hp700.colourValues), std::end(Hp700.colourValues), Hp700.pairValues[n]);
            Hp700.settings.foreground[n] = static_cast<u8>(ToIndex(&Hp700.colourValues[0]));
            Hp700.settings.background[n] = static_cast<u8>(ToIndex(&Hp700.colourValues[3]));
            std::fill(std::begin(Hp700.colourValues), std::end(Hp700.colourValues), u8{0});
            Hp700RepaintAll();
            break;
        case 'S': StartPair(n); break;
        case 'M':
            if (g.value == 0)
                Hp700.colourModeHls = false;
            else if (g.value == 1)
                Hp700.colourModeHls = true;
            break;
        case '^':
            // Pairs 0..7 only: any other number asks for nothing.
            if (g.negative || g.value > 7)
                break;
            Hp700.colourPairAsked = g.hasDigits ? static_cast<u8>(g.value) : 0xFF;
            Hp700Request(kHpReplyColourPair);
            break;
        default: break;
        }
    }
}
