#include "terminal/emulations/ibmhost/station/hostcodepage.h"

#include "terminal/core/screen/codepages.h"

wchar16 HostByteToUnicode(const std::vector<u8>& s2u, u8 byte)
{
    u16 out = kCodePageNoCharacter;
    if (s2u.size() >= kByteToUnicodeTableBytes)
        CodePageByteToUnicode(s2u.data(), &out, byte);
    return static_cast<wchar16>(out);
}

u8 UnicodeToHostByte(const std::vector<u8>& u2s, wchar16 ch)
{
    u8 out = kCodePageNoByte;
    if (u2s.size() >= kUnicodeToByteIndexBytes)
        CodePageUnicodeToByte(u2s.data(), &out, static_cast<u16>(ch));
    return out;
}
