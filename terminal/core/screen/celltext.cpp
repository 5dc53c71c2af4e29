#include "terminal/core/screen/celltext.h"

#include "terminal/core/screen/charsets.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenstore.h"

namespace {

constexpr u8 kLineDrawingSet = 3;
constexpr u8 kErrorGlyphSub = 132, kErrorGlyphCan = 133;

// The DEC special graphics characters 0x5F-0x7E.
// clang-format off
constexpr u16 kLineDrawing[32] = {
    0x0020, 0x25C6, 0x2592, 0x2409, 0x240C, 0x240D, 0x240A, 0x00B0,
    0x00B1, 0x2424, 0x240B, 0x2518, 0x2510, 0x250C, 0x2514, 0x253C,
    0x23BA, 0x23BB, 0x2500, 0x23BC, 0x23BD, 0x251C, 0x2524, 0x2534,
    0x252C, 0x2502, 0x2264, 0x2265, 0x03C0, 0x2260, 0x00A3, 0x00B7,
};
// clang-format on

}  // namespace

u16 CellRecordToUnicode(const ScreenCell& cell)
{
    const u8 glyphSet = cell.flags & kGlyphSetMask;
    const u8 c = cell.ch;
    if (glyphSet == kLineDrawingSet) {
        if (c >= 0x5F && c <= 0x7E)
            return kLineDrawing[c - 0x5F];
        if (c == kErrorGlyphSub || c == kErrorGlyphCan)
            return 0xFFFD;
        return c;
    }
    if (glyphSet != 0)
        return c;  // soft-font and symbol cells: their position stands for them
    if (c == 0)
        return 0;
    // A control code kept in a cell of the PC code page shows as its PC symbol (the ANSI
    // consoles' alternate glyphs) unless controls are displayed as such.
    return TranslateCellChar(PaintSettings.characterMode, PaintSettings.pcCodePage, c, 0,
                             PaintSettings.displayControls != 0);
}
