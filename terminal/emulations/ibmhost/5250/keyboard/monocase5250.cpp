#include "terminal/emulations/ibmhost/5250/keyboard/monocase5250.h"

#include <cwctype>

#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/station/nationalvariant.h"

namespace {
// Upper case of a CCSID 37 byte above 0x40 (the byte itself when it has none).
u8 UpperCase37(u8 b)
{
    struct Range {
        u8 first, last, upper;
    };
    static constexpr Range kRanges[] = {
        {0x42, 0x49, 0x62}, {0x51, 0x58, 0x71}, {0x70, 0x70, 0x80}, {0x81, 0x89, 0xC1}, {0x8C, 0x8E, 0xAC},
        {0x91, 0x99, 0xD1}, {0x9C, 0x9C, 0x9E}, {0xA2, 0xA9, 0xE2}, {0xCB, 0xCF, 0xEB}, {0xDB, 0xDE, 0xFB},
    };
    for (const Range& r : kRanges)
        if (b >= r.first && b <= r.last)
            return static_cast<u8>(r.upper + (b - r.first));
    return b;
}
}  // namespace

wchar16 I5250MonocaseFilter(const I5250Session* s, wchar16 ch)
{
    if (ch >= u'a' && ch <= u'z')
        return static_cast<wchar16>(ch - 32);
    if (ch == u' ' || std::iswpunct(static_cast<wint_t>(ch)))
        return ch;
    const u8 byte = UnicodeToHostByte(s->u2s, ch);
    const u8 national = ApplyEbcdicNationalVariant(byte, s->ccsid);
    const u8 base = national ? national : byte;
    if (base <= 0x40)
        return ch;
    const u8 upper = UpperCase37(base);
    // Back to the code page in use: the CCSID 37 position is that page's only where the
    // page does not move the character.
    const u8 back = EbcdicNationalVariantOf(upper, s->ccsid);
    return HostByteToUnicode(s->s2u, back ? back : upper);
}
