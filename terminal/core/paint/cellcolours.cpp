#include "terminal/core/paint/cellcolours.h"

#include "terminal/core/screen/charsets.h"
#include "terminal/settings/store/colours.h"

namespace {
constexpr u8 kFrgBright = 0x80, kFrgUnderline = 0x40, kFrgInverse = 0x20, kFrgFlash = 0x10;
constexpr u8 kBckOwnColours = 0x80;
constexpr u8 kInvisible = 0x10;

u8 ForegroundByte(u8 rendition)
{
    return AttributeColourTable.frg[AttributeIndexOf(rendition & 0x0F)];
}

u8 BackgroundByte(u8 rendition)
{
    return AttributeColourTable.bck[AttributeIndexOf(rendition & 0x0F)];
}
}  // namespace

int AttributeIndexOf(u8 combination)
{
    // The table is kept in the order of its profile value names: bold 1, underline 2,
    // flash 4, inverse 8.
    int index = 0;
    if (combination & kComboBold)
        index |= 1;
    if (combination & kComboUnderline)
        index |= 2;
    if (combination & kComboBlink)
        index |= 4;
    if (combination & kComboReverse)
        index |= 8;
    return index;
}

CellColourPair ComputeCellColours(u8 colour, u8 rendition, bool marked, bool blinkPhaseOn, bool r4Colours)
{
    u8 fg = colour & 0x0F;
    u8 bg = colour >> 4;
    const u8 combination = rendition & 0x0F;
    bool reverse = false;
    if (combination) {
        const u8 frg = ForegroundByte(combination);
        const u8 bck = BackgroundByte(combination);
        const bool override = (bck & kBckOwnColours) != 0;
        if (override) {
            fg = frg & 0x0F;
            bg = bck & 0x0F;
        }
        if ((combination & kComboBold) && (frg & kFrgBright))
            fg ^= 8;
        reverse = (combination & kComboReverse) && (frg & kFrgInverse);
        if (combination & kComboBlink) {
            if (r4Colours && (frg & kFrgFlash))
                bg ^= 8;
            if ((frg & kFrgFlash) && !blinkPhaseOn && override) {
                const u8 t = fg;
                fg = bg;
                bg = t;
            }
        }
    }
    if (reverse != marked) {
        const u8 t = fg;
        fg = bg;
        bg = t;
    }
    return {static_cast<u8>(fg & 0x0F), static_cast<u8>(bg & 0x0F)};
}

bool RenditionShowsUnderline(u8 fontFlags, u8 rendition)
{
    if (!(rendition & kComboUnderline) || (fontFlags & 0x10))
        return false;
    return (ForegroundByte(rendition) & kFrgUnderline) != 0;
}

bool RenditionBlinks(u8 rendition)
{
    if ((rendition & kInvisible) || !(rendition & kComboBlink))
        return false;
    return (ForegroundByte(rendition) & kFrgFlash) != 0;
}

u8 CellDisplayChar(u8 character, u8 rendition, bool blinkPhaseOn, bool r4Colours)
{
    if (rendition & kInvisible)
        return 0x20;
    if (!(rendition & kComboBlink) || r4Colours || blinkPhaseOn)
        return character;
    if ((ForegroundByte(rendition) & kFrgFlash) && !(BackgroundByte(rendition) & kBckOwnColours))
        return 0x20;
    return character;
}

bool IsControlGlyph(u16 character, u8 characterMode, bool displayControls)
{
    if (character >= 32)
        return false;
    return characterMode != kCharModePcCodePage || displayControls;
}
