#include "terminal/emulations/dg/dgcharsets.h"

#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dg/dgglyphs.h"
#include "terminal/emulations/dg/dgstate.h"

namespace {

// clang-format off
// Set code by ANSI designator final and by native RS F S value.
struct SetName {
    u8 ansiFinal;
    i8 nativeValue;
};
constexpr SetName kSetNames[kDgSetCount] = {
    {'B', 1}, {'A', 2}, {'H', 5}, {'J', 9}, {'I', 15}, {'K', 4}, {'R', 3},
    {'0', 0}, {'1', 6}, {'2', 7}, {'3', 8}, {'4', 14}, {'5', 16}, {'6', 17},
};

// National tables: pairs {ASCII character, DG international code}, 0-ended.
constexpr u8 kTable1[] = {'#', 0xA8, '^', 0xBF, 0};
constexpr u8 kTable4[] = {'$', 0xA6, '@', 0xC3, '[', 0xC6, '\\', 0xD6, ']', 0xC5, '^', 0xDB,
                          '`', 0xE3, '{', 0xE6, '|', 0xF6, '}', 0xE5, '~', 0xFB, 0};
constexpr u8 kTable6[] = {'@', 0xBB, '[', 0xC3, '\\', 0xD4, ']', 0xDB, '{', 0xE3, '|', 0xF4,
                          '}', 0xFB, '~', 0xFC, 0};
constexpr u8 kTable9[] = {'#', 0xF9, '@', 0xE1, '[', 0xEB, '\\', 0xE7, ']', 0xE9, '^', 0xEA,
                          '`', 0xF3, '{', 0xE3, '|', 0xF4, '}', 0xFB, '~', 0xE8, 0};
constexpr u8 kTable11[] = {'$', 0xA6, '@', 0xC8, '[', 0xC3, '\\', 0xD4, ']', 0xC5, '^', 0xDB,
                           '`', 0xE8, '{', 0xE3, '|', 0xF4, '}', 0xE5, '~', 0xFB, 0};
constexpr u8 kTable13[] = {'#', 0xA8, '@', 0xE1, '[', 0xBC, '\\', 0xE7, ']', 0xBB, '{', 0xE8,
                           '|', 0xF9, '}', 0xE9, 0};
constexpr u8 kTable14[] = {'\\', 0xD0, '|', 0xF0, 0};

// Latin-1 drawn for DG international codes 0xA0-0xFF (0x20 a blank).
constexpr u8 kInternational[96] = {
    0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0xA4, 0xA2, 0xA3, 0x20, 0x20, 0xA1, 0xBF, 0x20, 0x20, 0x20,  // A0
    0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x60, 0xA7, 0xB0, 0xA8, 0xB4, 0x20,  // B0
    0xC1, 0xC0, 0xC2, 0xC4, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xC8, 0xCA, 0xCB, 0xCD, 0xCC, 0xCE, 0xCF,  // C0
    0xD1, 0xD3, 0xD2, 0xD4, 0xD6, 0xD5, 0xD8, 0x20, 0xDA, 0xD9, 0xDB, 0xDC, 0xA5, 0x20, 0x5E, 0x20,  // D0
    0xE1, 0xE0, 0xE2, 0xE4, 0xE3, 0xE5, 0xE6, 0xE7, 0xE9, 0xE8, 0xEA, 0xEB, 0xED, 0xEC, 0xEE, 0xEF,  // E0
    0xF1, 0xF3, 0xF2, 0xF4, 0xF6, 0xF5, 0xF8, 0x20, 0xFA, 0xF9, 0xFB, 0xFC, 0xDF, 0x20, 0x20, 0x7F,  // F0
};

// The national table of a keyboard-language code (set code 7); 0 is plain ASCII.
const u8* NationalTableByNumber(int n)
{
    switch (n) {
    case 1: return kTable1;
    case 4: return kTable4;
    case 6: return kTable6;
    case 9: return kTable9;
    case 11: return kTable11;
    case 13: return kTable13;
    case 14: return kTable14;
    default: return nullptr;
    }
}
// clang-format on

u8 MapPairs(u8 c, const u8* table)
{
    for (const u8* p = table; p && *p; p += 2)
        if (p[0] == c)
            return p[1];
    return c;
}

// A 7-bit character through the set of `code`.
DgStoredChar Through(int code, u8 c)
{
    switch (code) {
    case kDgSetNational1: return {MapPairs(c, kTable1), 0};
    case kDgSetNational11: return {MapPairs(c, kTable11), 0};
    case kDgSetYenBackslash: return {static_cast<u8>(c == '\\' ? 0xDC : c), 0};
    case kDgSetGlyphs3:
        if (c >= 0x21 && c <= 0x5F)
            return {c, 3};
        return {c, 0};
    case kDgSetNational6: return {MapPairs(c, kTable6), 0};
    case kDgSetNational13: return {MapPairs(c, kTable13), 0};
    case kDgSetKeyboardNational: return {MapPairs(c, NationalTableByNumber(Dg.languageCode)), 0};
    case kDgSetNational14: return {MapPairs(c, kTable14), 0};
    case kDgSetNational4: return {MapPairs(c, kTable4), 0};
    case kDgSetNational9: return {MapPairs(c, kTable9), 0};
    case kDgSetInternational: return {static_cast<u8>(c >= 0x20 ? c | 0x80 : c), 0};
    case kDgSetGlyphs2:
        if (c >= 0x21 && c <= 0x7E)
            return {c, 2};
        return {c, 0};
    case kDgSetGlyphs1:
        if (c >= 0x21 && c <= 0x42)
            return {c, 1};
        return {c, 0};
    default: return {c, 0};
    }
}

}  // namespace

int DgSetOfAnsiFinal(u8 final)
{
    for (int code = 0; code < kDgSetCount; ++code)
        if (kSetNames[code].ansiFinal == final)
            return code;
    return -1;
}

int DgSetOfNativeValue(int value)
{
    for (int code = 0; code < kDgSetCount; ++code)
        if (kSetNames[code].nativeValue == value)
            return code;
    return -1;
}

void DgResetCharsets()
{
    DgCharsets& s = Dg.sets;
    if (Dg.eightBitNative) {
        s.native[0] = kDgSetAscii;
        s.native[1] = kDgSetInternational;
    } else {
        s.native[0] = kDgSetKeyboardNational;
        s.native[1] = kDgSetGlyphs2;
    }
    s.nativeGl = 0;
    s.ansi[0] = kDgSetAscii;
    s.ansi[1] = kDgSetInternational;
    s.ansi[2] = kDgSetGlyphs2;
    s.ansi[3] = kDgSetGlyphs1;
    s.ansiGl = 0;
    s.ansiGr = 1;
    s.singleShift = 0;
}

DgStoredChar DgMapReceived(u8 byte)
{
    const DgCharsets& s = Dg.sets;
    const bool high = byte >= 0x80;
    const u8 c = static_cast<u8>(byte & 0x7F);
    int code;
    if (Dg.mode == kDgModeAnsi) {
        if (Dg.sets.singleShift) {
            code = s.ansi[Dg.sets.singleShift];
            Dg.sets.singleShift = 0;
        } else {
            code = s.ansi[(high ? s.ansiGr : s.ansiGl) & 3];
        }
    } else {
        code = s.native[high ? 1 : (s.nativeGl & 1)];
    }
    // DEL and its 8-bit form are shown as the checkerboard whatever the set.
    if (c == 0x7F)
        return {byte, 0};
    return Through(code, c);
}

u8 DgInternationalToLatin1(u8 code)
{
    return code >= 0xA0 ? kInternational[code - 0xA0] : code;
}

DgShownChar DgCellToUnicode(u8 ch, u8 glyphSet)
{
    switch (glyphSet & 7) {
    case 1:
        if (ch >= 0x3D && ch <= 0x41) {
            static constexpr u16 kDrawn[5] = {0x00F7, 0x00A2, 0x2122, 0x00AE, 0x00A9};
            return {kDrawn[ch - 0x3D], 0};
        }
        return {ch, 1};
    case 2:
        if (ch == 0x25)
            return {0x0192, 0};
        if (ch == 0x27)
            return {0x2202, 0};
        if (ch == 0x3A)
            return {0x2260, 0};
        if (ch == 0x40)
            return {0x203C, 0};
        if (ch >= 0x41 && ch <= 0x51)
            return {static_cast<u16>(0x03B1 + (ch - 0x41)), 0};
        if (ch >= 0x52 && ch <= 0x58)
            return {static_cast<u16>(0x03C3 + (ch - 0x52)), 0};
        if (ch == 0x59)
            return {0x03A9, 0};
        if (ch == 0x5A)
            return {0x0394, 0};
        if (ch == 0x5B)
            return {0x00B6, 0};
        return {ch, 2};
    case 3: return {ch, 3};
    default: break;
    }
    if (ch >= 0x20 && ch <= 0x7E)
        return {ch, 0};
    if (ch == 0x7F || ch == 0xFF)
        return {0x2592, 0};
    if (ch == 0xBF)
        return {0x2191, 0};
    if (ch == 0xD7)
        return {0x0152, 0};
    if (ch == 0xF7)
        return {0x0153, 0};
    if (ch >= 0xA0)
        return {DgInternationalToLatin1(ch), 0};
    return {' ', 0};
}

u16 DgCellText(const ScreenCell& cell)
{
    const DgShownChar shown = DgCellToUnicode(cell.ch, cell.flags & kGlyphSetMask);
    if (shown.glyphSet == 0)
        return shown.unicode;
    return DgGlyphText(shown.glyphSet, cell.ch);
}

const u8* DgGlyphBitmap(int glyphSet, u8 ch)
{
    return DgGlyphRows(glyphSet, ch);
}
