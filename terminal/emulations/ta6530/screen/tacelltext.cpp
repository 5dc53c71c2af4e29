#include "terminal/emulations/ta6530/screen/tacelltext.h"

#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/charsets.h"
#include "terminal/emulations/ta6530/tastate.h"

namespace {
// 146-156: the box pieces.
constexpr u16 kBoxPieces[11] = {0x2524, 0x251C, 0x2534, 0x252C, 0x253C, 0x2510,
                                0x250C, 0x2518, 0x2514, 0x2500, 0x2502};
}  // namespace

u16 TaCellUnicode(const ScreenCell& cell)
{
    if (cell.rendition & (kTaAttributeCell | kTaInvisible))
        return ' ';
    const u8 c = cell.ch;
    if (c < 32 || c == 127)
        return ' ';
    if (c >= 128 && c <= 130)
        return static_cast<u16>(0x2591 + (c - 128));
    if (c >= 131 && c <= 145)
        return 0x2588;
    if (c >= 146 && c <= 156)
        return kBoxPieces[c - 146];
    if (c >= 157 && c < 160)
        return ' ';
    return TranslateCellChar(PaintSettings.characterMode, PaintSettings.pcCodePage, c, 0, false);
}
