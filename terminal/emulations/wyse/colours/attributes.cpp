#include "terminal/emulations/wyse/colours/attributes.h"

#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

// ESC % n: the foregrounds of normal, reverse, underline, reverse underline, dim,
// reverse dim, underline dim and reverse underline dim.
// clang-format off
constexpr u8 kColourCodes[16][8] = {
    {0x0a, 0x27, 0x46, 0x66, 0x0a, 0x2a, 0x4a, 0x6a}, {0x03, 0x25, 0x4d, 0x6d, 0x0d, 0x2d, 0x4d, 0x6d},
    {0x07, 0x26, 0x4a, 0x6a, 0x02, 0x22, 0x42, 0x62}, {0x05, 0x27, 0x43, 0x63, 0x01, 0x21, 0x41, 0x61},
    {0x04, 0x22, 0x41, 0x61, 0x0e, 0x2e, 0x4e, 0x6e}, {0x06, 0x2a, 0x4e, 0x6e, 0x0e, 0x2e, 0x4e, 0x6e},
    {0x09, 0x25, 0x4b, 0x6b, 0x03, 0x23, 0x43, 0x63}, {0x0f, 0x21, 0x49, 0x69, 0x08, 0x28, 0x48, 0x68},
    {0x0b, 0x2b, 0x43, 0x63, 0x08, 0x28, 0x48, 0x68}, {0x07, 0x2e, 0x4f, 0x6f, 0x0a, 0x2a, 0x4a, 0x6a},
    {0x07, 0x29, 0x2b, 0x24, 0x25, 0x2c, 0x2a, 0x27}, {0x07, 0x2a, 0x23, 0x26, 0x21, 0x24, 0x25, 0x27},
    {0x03, 0x23, 0x43, 0x63, 0x03, 0x23, 0x43, 0x63}, {0x07, 0x27, 0x47, 0x67, 0x0f, 0x2f, 0x4f, 0x6f},
    {0x0a, 0x2a, 0x4a, 0x6a, 0x0e, 0x2e, 0x4e, 0x6e}, {0x07, 0x02, 0x03, 0x06, 0x01, 0x04, 0x05, 0x0a},
};
// The combinations the eight bytes of a colour code (and the entries 0-7 of ESC m) set.
constexpr int kCodeCombination[8] = {0, 8, 2, 10, 1, 9, 3, 11};
constexpr int kProgramCombination[8] = {0, 8, 1, 2, 9, 10, 3, 11};

// ESC m: the colour byte of each second argument (bit 7 cleared).
constexpr u8 kProgramColourMap[128] = {
    0x46, 0x4e, 0x4e, 0x47, 0x02, 0x01, 0x04, 0x03, 0x06, 0x05, 0x0a, 0x06, 0x08, 0x45, 0x48, 0x0b,
    0x48, 0x4d, 0x00, 0x0b, 0x0d, 0x4c, 0x0b, 0x0e, 0x08, 0x45, 0x0a, 0x06, 0x4f, 0x06, 0x41, 0x49,
    0x41, 0x00, 0x09, 0x08, 0x08, 0x00, 0x08, 0x08, 0x08, 0x00, 0x01, 0x03, 0x09, 0x0e, 0x04, 0x0f,
    0x0f, 0x00, 0x01, 0x03, 0x05, 0x02, 0x04, 0x06, 0x07, 0x01, 0x01, 0x03, 0x09, 0x03, 0x05, 0x08,
    0x08, 0x00, 0x08, 0x08, 0x08, 0x00, 0x01, 0x03, 0x09, 0x0e, 0x04, 0x0f, 0x0f, 0x00, 0x01, 0x03,
    0x05, 0x02, 0x04, 0x06, 0x07, 0x01, 0x01, 0x03, 0x09, 0x03, 0x05, 0x08, 0x01, 0x08, 0x09, 0x0b,
    0x08, 0x0f, 0x09, 0x0b, 0x0b, 0x0d, 0x0d, 0x0e, 0x0c, 0x0e, 0x0e, 0x0f, 0x0f, 0x0f, 0x09, 0x0b,
    0x0b, 0x0d, 0x0d, 0x02, 0x04, 0x0a, 0x0a, 0x0c, 0x0c, 0x0a, 0x0a, 0x0f, 0x0c, 0x06, 0x07, 0x46,
};
// ESC A's colour bytes from 0x20 on; 0xFF is no colour.
constexpr u8 kMessageColourMap[0x50] = {
    0xff, 0x00, 0x00, 0x09, 0x01, 0x08, 0x08, 0x09, 0x09, 0x0b, 0x0b, 0x0d, 0x01, 0x03, 0x03, 0x05,
    0x05, 0x00, 0x08, 0x08, 0x09, 0x08, 0x08, 0x08, 0x09, 0x0b, 0x0b, 0x0d, 0x01, 0x03, 0x03, 0x05,
    0x05, 0x0a, 0x0a, 0x04, 0x0c, 0x0e, 0x0e, 0x0f, 0x0c, 0x0f, 0x0f, 0x0f, 0x01, 0x03, 0x03, 0x05,
    0x05, 0x02, 0x02, 0x04, 0x04, 0x02, 0x02, 0x0c, 0x0c, 0x02, 0x02, 0x0f, 0x0c, 0x06, 0x06, 0x07,
    0x07, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
};
constexpr u8 kPackedNibbleMap[16] = {0x00, 0x01, 0x03, 0x05, 0x02, 0x04, 0x0e, 0x0f,
                                     0x08, 0x09, 0x0b, 0x0d, 0x0a, 0x0c, 0x06, 0x07};
// ESC A "a": the foreground and dim foreground of each scheme.
constexpr u8 kSchemes[8][2] = {{7, 8}, {2, 10}, {1, 9}, {2, 14}, {3, 1}, {0, 15}, {3, 11}, {5, 13}};
// clang-format on

int MessageColour(int b)
{
    b &= 0x7F;
    return b >= 0x20 && b < 0x70 ? kMessageColourMap[b - 0x20] : 0xFF;
}

// The effects an entry shows, from its colour bytes.
u8 EntryEffects(u8 fg, u8 bg, bool characterSet)
{
    u8 r = 0;
    if (fg & 0x10)
        r |= kWyBlink;
    if (fg & 0x20)
        r |= kWyReverse;
    if (fg & 0x40)
        r |= kWyUnderline;
    if (bg & 0x40)
        r |= kWyDim;
    if (characterSet && (bg & 0x10))
        r |= kWyBlank;
    return r;
}

u8 Colour(u8 fg, u8 bg)
{
    const u8 f = static_cast<u8>((fg & 0x0F) ^ ((fg & 0x80) ? 0x08 : 0));
    return static_cast<u8>(((bg & 0x0F) << 4) | f);
}

u8 ReadMessageByte(bool& ok)
{
    const int b = WyseReadHostByte();
    ok = ok && b >= 0;
    return static_cast<u8>(b < 0 ? 0 : b);
}

u8 OverrideRendition(u8 bits)
{
    u8 r = 0;
    if (bits & 1)
        r |= kWyBlank;
    if (bits & 2)
        r |= kWyBlink;
    if (bits & 4)
        r |= kWyReverse;
    if (bits & 8)
        r |= kWyUnderline;
    return r;
}

// The unprotected or protected override starts from the colours it would show now.
void StartOverride(bool protectedOne)
{
    WyseWriteState& w = WyMode.write;
    if (protectedOne) {
        if (!w.protOverrideOn) {
            u8 r = kWyProtected;
            w.protColour370 = WyseCurrentAttributeColour(r, false);
            w.protRendition370 = r;
        }
        w.protOverrideOn = 1;
        return;
    }
    if (!w.unprotOverrideOn) {
        u8 r = 0;
        w.unprotColour = WyseCurrentAttributeColour(r, false);
        w.unprotRendition = r;
    }
    w.unprotOverrideOn = 1;
}

}  // namespace

int WyseVideoCodeAttribute(int code)
{
    if (code == ' ')
        return 0;
    if (!((code >= '0' && code <= '?') || (code >= 'p' && code <= 0x7F)))
        return -1;
    int a = 0;
    if (code & 0x01)
        a |= kWyBlank;
    if (code & 0x02)
        a |= kWyBlink;
    if (code & 0x04)
        a |= kWyReverse;
    if (code & 0x08)
        a |= kWyUnderline;
    if (code & 0x40)
        a |= kWyDim;
    return a;
}

u8 WyseApplyProtectedAttribute(u8 bits)
{
    const u8 p = WySet.protAttr;
    if (p & 0x01)
        bits |= kWyDim;
    if (p & 0x02)
        bits |= kWyBlank;
    if (p & 0x04)
        bits ^= kWyReverse;
    if (p & 0x08)
        bits |= kWyUnderline;
    if (p & 0x10)
        bits |= kWyBlink;
    return bits;
}

int WyseCombination(u8 bits)
{
    return ((bits & kWyDim) ? 1 : 0) | ((bits & kWyUnderline) ? 2 : 0) | ((bits & kWyBlink) ? 4 : 0) |
           ((bits & kWyReverse) ? 8 : 0) | ((bits & kWyBlank) ? 16 : 0);
}

u8 WyseAttributeColour350(u8& rendition)
{
    const bool isProtected = (rendition & kWyProtected) != 0;
    u8 bits = rendition & kWyVideoBits;
    if (isProtected)
        bits = WyseApplyProtectedAttribute(bits);
    const int p = WyseCombination(bits) & 15;
    u8 fg = WySet.fg350[p], bg = WySet.bg350[p];
    if (bg & 0x80) {
        bits = static_cast<u8>((bits & kWyBlank) | EntryEffects(fg, bg, false));
    } else {
        fg = WySet.fg350[0];
        bg = WySet.bg350[0];
    }
    rendition = static_cast<u8>((rendition & 0xE0) | bits);
    u8 colour = Colour(fg, bg);
    if (isProtected && WyMode.write.protOverrideOn)
        colour = static_cast<u8>((colour & 0xF0) | (WyMode.write.protForeground350 & 0x0F));
    return colour;
}

u8 WyseAttributeColour370(u8& rendition, bool message)
{
    const WyseWriteState& w = WyMode.write;
    const u8 high = rendition & 0xE0;
    if (message && w.messageOverrideOn) {
        rendition = static_cast<u8>(high | w.messageRendition);
        return w.messageColour;
    }
    if ((rendition & kWyProtected) && w.protOverrideOn) {
        rendition = static_cast<u8>(high | (w.protRendition370 & kWyVideoBits));
        return w.protColour370;
    }
    if (!(rendition & kWyProtected) && w.unprotOverrideOn) {
        rendition = static_cast<u8>(high | w.unprotRendition);
        return w.unprotColour;
    }
    u8 bits = rendition & kWyVideoBits;
    const int p = WyseCombination(bits);
    u8 fg = WySet.fg370[p], bg = WySet.bg370[p];
    if (bg & 0x80) {
        bits = EntryEffects(fg, bg, true);
    } else {
        fg = WySet.fg370[0];
        bg = WySet.bg370[0];
    }
    rendition = static_cast<u8>(high | bits);
    return Colour(fg, bg);
}

u8 WyseCurrentAttributeColour(u8& rendition, bool message)
{
    const u8 current = WyMode.write.writeAttr & kWyVideoBits;
    u8 bits = current;
    if (rendition & kWyProtected)
        bits = static_cast<u8>(WyseApplyProtectedAttribute(0) | current);
    rendition = static_cast<u8>((rendition & 0xE0) | bits);
    return WyseAttributeColour370(rendition, message);
}

u8 WyseNormalColour()
{
    u8 rendition = 0;
    const u8 saved = WyMode.write.writeAttr;
    WyMode.write.writeAttr = 0;
    const u32 unprot = WyMode.write.unprotOverrideOn;
    WyMode.write.unprotOverrideOn = 0;
    const u8 colour = WyseCurrentAttributeColour(rendition, false);
    WyMode.write.writeAttr = saved;
    WyMode.write.unprotOverrideOn = unprot;
    return colour;
}

void WyseApplyColourCode(int n)
{
    if (n < 0 || n > 15)
        return;
    for (int i = 0; i < 8; ++i) {
        const int p = kCodeCombination[i];
        WySet.fg350[p] = kColourCodes[n][i];
        WySet.fg350[p + 4] = static_cast<u8>(kColourCodes[n][i] + 0x10);
        WySet.bg350[p] = WySet.bg350[p + 4] = 0x80;
    }
    WyMode.write.protOverrideOn = 0;
    WyseRepaintAll();
}

bool WyseProgramAttributeColour(int a, int colourByte, int plane)
{
    if (a > 8)
        a = 8;
    const u8 mapped = kProgramColourMap[colourByte & 0x7F];
    if (a == 8) {
        if (WyMode.write.protOverrideOn && WyMode.write.protForeground350 == mapped)
            return false;
        WyMode.write.protForeground350 = mapped;
        WyMode.write.protOverrideOn = 1;
        return true;
    }
    const u8 value = static_cast<u8>(mapped + 0x20 * (plane & 3));
    const int p = kProgramCombination[a];
    WySet.fg350[p] = value;
    WySet.fg350[p + 4] = static_cast<u8>(value + 0x10);
    WySet.bg350[p] = WySet.bg350[p + 4] = 0x80;
    return true;
}

void WyseMessageColourForm(int form)
{
    WyseWriteState& w = WyMode.write;
    bool ok = true;
    switch (form) {
    case 'a': {
        const u8 c = ReadMessageByte(ok);
        if (!ok)
            return;
        const u8* scheme = kSchemes[c & 7];
        for (int p = 0; p < kWyseCharacterCombos; ++p) {
            const u8 own = static_cast<u8>(WyseFactoryForeground(p & 15) & 0x70);
            WySet.fg370[p] = static_cast<u8>(((p & 1) ? scheme[1] : scheme[0]) | own);
            WySet.bg370[p] = static_cast<u8>((WySet.bg370[p] & 0x0F) | (p & 16 ? 0x90 : 0x80));
        }
        w.unprotOverrideOn = 0;
        break;
    }
    case 'b': ReadMessageByte(ok); return;
    case 'c': {
        const int bg = MessageColour(ReadMessageByte(ok));
        if (!ok || bg == 0xFF)
            return;
        for (u8& b : WySet.bg370)
            b = static_cast<u8>((b & 0x50) | 0x80 | bg);
        break;
    }
    case 'd':
    case 'e':
    case 'j':
    case 'k': {
        const int c = MessageColour(ReadMessageByte(ok));
        if (!ok)
            return;
        const bool isProt = form == 'j' || form == 'k';
        const bool fore = form == 'd' || form == 'j';
        StartOverride(isProt);
        u8& colour = isProt ? w.protColour370 : w.unprotColour;
        const u8 index = static_cast<u8>(c == 0xFF ? (fore ? 7 : 0) : c);
        colour = fore ? static_cast<u8>((colour & 0xF0) | index) : static_cast<u8>((colour & 0x0F) | (index << 4));
        break;
    }
    case 'f':
    case 'l': {
        const u8 bits = ReadMessageByte(ok);
        if (!ok)
            return;
        if (form == 'l') {
            StartOverride(true);
            w.protRendition370 = static_cast<u8>(OverrideRendition(bits) | kWyProtected);
        } else {
            StartOverride(false);
            w.unprotRendition = OverrideRendition(bits);
        }
        break;
    }
    case 'h':
    case 'i': {
        const u8 packed = ReadMessageByte(ok);
        if (!ok)
            return;
        const u8 colour = static_cast<u8>((kPackedNibbleMap[(packed >> 4) & 15] << 4) |
                                          kPackedNibbleMap[packed & 15]);
        StartOverride(form == 'i');
        (form == 'i' ? w.protColour370 : w.unprotColour) = colour;
        break;
    }
    case 'g': {
        const int attr = ReadMessageByte(ok);
        const int fg = MessageColour(ReadMessageByte(ok));
        const int bg = MessageColour(ReadMessageByte(ok));
        const u8 bits = ReadMessageByte(ok);
        const int a = WyseVideoCodeAttribute(attr);
        if (!ok || a < 0 || attr == ' ')
            return;
        const int p = WyseCombination(static_cast<u8>(a));
        u8 f = static_cast<u8>(fg == 0xFF ? 7 : fg);
        u8 b = static_cast<u8>(bg == 0xFF ? 0 : (bg | 0x80));
        if (bits & 1)
            b = static_cast<u8>(b + 0x10);
        if (bits & 2)
            f = static_cast<u8>(f + 0x10);
        if (bits & 4)
            f = static_cast<u8>(f + 0x20);
        if (bits & 8)
            f = static_cast<u8>(f + 0x40);
        WySet.fg370[p] = f;
        WySet.bg370[p] = b;
        break;
    }
    case 'y': {
        const int fg = MessageColour(ReadMessageByte(ok));
        const int bg = MessageColour(ReadMessageByte(ok));
        const u8 bits = ReadMessageByte(ok);
        if (!ok)
            return;
        w.messageColour = static_cast<u8>((fg == 0xFF ? 7 : fg) | ((bg == 0xFF ? 0 : bg) << 4));
        w.messageRendition = OverrideRendition(bits);
        w.messageOverrideOn = 1;
        break;
    }
    default: return;
    }
    WyseRepaintAll();
}

WyseCellLook WyseLookOf(u8 colour, u8 rendition, bool selected)
{
    u8 fg = colour & 0x0F, bg = static_cast<u8>(colour >> 4);
    bool swap = (rendition & kWyReverse) != 0;
    if (selected)
        swap = !swap;
    if (WyMode.reverseScreen)
        swap = !swap;
    if (swap) {
        const u8 t = fg;
        fg = bg;
        bg = t;
    }
    return WyseCellLook{fg, bg, static_cast<u8>(rendition & (kWyUnderline | kWyBlink | kWyBlank))};
}
