#include "terminal/emulations/ibm3151/charsets.h"

#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/charsets.h"

namespace {

constexpr u8 kDel = 0x7F;

// A code page character beyond Latin-1 (drawn from the code page's own table).
bool BeyondLatin1(u8 pcCodePage, u8 code)
{
    const u16 u = TranslateCellChar(kCharModePcCodePage, pcCodePage, code, 0, true);
    return u > 0xFF;
}

u8 PcIndexOf(int codePage)
{
    switch (codePage) {
    case 850: return kPcCp850;
    case 858: return kPcCp858;
    case 1250: return kPcCp1250;
    case 852: return kPcCp852;
    default: return kPcCp437;
    }
}

// The terminal's upper half has no place for these Latin-1 characters: they show as
// the terminal's substitutes (132 the error box, 129-131 its own symbols).
u8 UpperHalfSubstitute(u8 c)
{
    switch (c) {
    case 160:
    case 164:
    case 166:
    case 172:
    case 173:
    case 174:
    case 175:
    case 180:
    case 184:
    case 190:
    case 208:
    case 222:
    case 240:
    case 254:
    case 255: return 132;
    case 168: return 164;
    case 215: return 129;
    case 221: return 130;
    case 247: return 131;
    case 253: return 255;
    default: return c;
    }
}

}  // namespace

int I3151PcCodePage()
{
    if (PaintSettings.characterMode != kCharModePcCodePage)
        return 0;
    switch (PaintSettings.pcCodePage) {
    case kPcCp437: return 437;
    case kPcCp850: return 850;
    case kPcCp858: return 858;
    case kPcCp1250: return 1250;
    case kPcCp852: return 852;
    default: return 0;
    }
}

u8 I3151NationalSet()
{
    switch (I3151PcCodePage()) {
    case 437: return kI51Set437;
    case 850: return kI51Set850;
    case 852: return kI51Set852;
    case 858: return kI51Set858;
    case 1250: return kI51Set1250;
    default: return kI51SetUpperHalf;
    }
}

void I3151SelectCodePage(I3151PageRecord* page)
{
    page->shift = 0;
    page->g0 = kI51SetNational;
    const u8 national = I3151NationalSet();
    if (national != kI51SetUpperHalf)
        page->g1 = national;
    else
        page->g1 = DataBitsSetting == 2 ? kI51SetUpperHalf : kI51SetLines;
}

I3151Glyph I3151TranslateByte(const I3151PageRecord* page, u8 byte)
{
    if (byte == 0 || byte == ' ')
        return {byte, kI51GlyphPlain};
    if (byte < 32)
        return {byte, byte == 26 ? kI51GlyphPlain : kI51GlyphControl};
    const u8 set = (byte >= 128 || page->shift) ? page->g1 : page->g0;
    const int codePage = I3151PcCodePage();
    switch (set) {
    case kI51SetNational:
        if (codePage == 0)
            return {static_cast<u8>(byte & 0x7F), kI51GlyphPlain};
        if (byte == kDel)
            return {byte, kI51Glyph437};
        if (byte < 128)
            return {byte, kI51GlyphPlain};
        if (BeyondLatin1(PcIndexOf(codePage), byte)) {
            if (codePage == 437)
                return {byte, kI51Glyph437};
            if (codePage == 850 || (codePage == 852 && byte > 175))
                return {byte, kI51Glyph850};
        }
        return {byte, kI51GlyphOem};
    case kI51SetLines: return {byte, kI51GlyphLines};
    case kI51SetUpperHalf: {
        u8 c = byte < 128 ? static_cast<u8>(byte + 128) : byte;
        if (PaintSettings.characterMode < kCharModeRoman8)
            c = UpperHalfSubstitute(c);
        return {c, kI51GlyphPlain};
    }
    case kI51Set437:
        if (byte == kDel)
            return {byte, kI51Glyph437};
        if (byte < 128)
            return {byte, kI51GlyphPlain};
        return {byte, BeyondLatin1(kPcCp437, byte) ? kI51Glyph437 : kI51GlyphOem};
    case kI51Set850:
        if (byte == kDel)
            return {byte, kI51Glyph437};
        if (byte < 128)
            return {byte, kI51GlyphPlain};
        return {byte, BeyondLatin1(kPcCp850, byte) ? kI51Glyph850 : kI51GlyphOem};
    case kI51Set852:
        if (byte == kDel)
            return {byte, kI51Glyph437};
        if (byte < 128)
            return {byte, kI51GlyphPlain};
        return {byte, byte > 175 && BeyondLatin1(kPcCp852, byte) ? kI51Glyph850 : kI51GlyphOem};
    default:  // 858 and 1250
        if (byte == kDel)
            return {byte, kI51Glyph437};
        return {byte, byte < 128 ? kI51GlyphPlain : kI51GlyphOem};
    }
}

u16 I3151CellToUnicode(u8 rendition, u8 code, u8 glyphSet, bool blinkOff)
{
    if ((rendition & kI51Invisible) || code == 0 || blinkOff)
        return u' ';
    switch (glyphSet) {
    case kI51GlyphOem: {
        const int codePage = I3151PcCodePage();
        if (codePage == 1250) {
            switch (code) {
            case 161: return 0x02C7;
            case 165: return 0x0104;
            case 185: return 0x0105;
            case 188: return 0x013D;
            case 190: return 0x013E;
            default: break;
            }
        }
        return codePage ? TranslateCellChar(kCharModePcCodePage, PcIndexOf(codePage), code, 0, true) : code;
    }
    case kI51Glyph437:
        return code == kDel ? 0x03A9 : TranslateCellChar(kCharModePcCodePage, kPcCp437, code, 0, true);
    case kI51Glyph850: return TranslateCellChar(kCharModePcCodePage, kPcCp850, code, 0, true);
    case kI51GlyphControl:
    case kI51GlyphLines: return 0;
    default: break;
    }
    if (code == 26)
        return 0;  // SUB shows the error box
    if (code == 164 && (PaintSettings.characterMode == kCharModeLatin9 || I3151PcCodePage() == 858))
        return 0x20AC;
    if (code >= 129 && code <= 133)
        return 0;  // the upper half's substitutes
    return TranslateCellChar(PaintSettings.characterMode, PaintSettings.pcCodePage, code, 0, true);
}

int I3151LineGlyphIndex(u8 code)
{
    const int c = code & 0x7F;
    if (c >= '0' && c <= '9')
        return c + 78;
    if (c >= 96 && c <= 105)
        return c + 40;
    if (c >= 60 && c <= 63)
        return c + 62;
    // clang-format off
    switch (c) {
    case 106: return 73;  case 107: return 47;  case 108: return 74;  case 109: return 48;
    case 110: return 53;  case 111: return 77;  case 112: return 78;  case 113: return 52;
    case 114: return 76;  case 115: return 79;  case 116: return 51;  case 117: return 36;
    case 118: return 49;  case 119: return 50;  case 120: return 35;  case 122: return 120;
    case 123: return 121; case 124: return 119; case 125: return 118; case 126: return 75;
    case 127: return 117;
    default: return -1;
    }
    // clang-format on
}
