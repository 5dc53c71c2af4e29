#include "terminal/comms/printcharset.h"

#include "terminal/core/screen/charsets.h"
#include "terminal/core/host/escparser.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/profilevalues.h"

namespace {

constexpr u8 kBlank = ' ', kBackspace = 8;

// Latin-1 160-255 to HP Roman-8; 0 where Roman-8 has no such character.
constexpr u8 kLatin1ToRoman8[96] = {
    160, 184, 191, 187, 186, 188, 0,   189, 171, 0,   249, 251, 0,   0,   0,   176,  // 160-175
    179, 254, 0,   0,   168, 243, 244, 242, 0,   0,   250, 253, 247, 248, 245, 185,  // 176-191
    161, 224, 162, 225, 216, 208, 211, 180, 163, 220, 164, 165, 230, 229, 166, 167,  // 192-207
    227, 182, 232, 231, 223, 233, 218, 0,   210, 173, 237, 174, 219, 177, 240, 222,  // 208-223
    200, 196, 192, 226, 204, 212, 215, 181, 201, 197, 193, 205, 217, 213, 209, 221,  // 224-239
    228, 183, 202, 198, 194, 234, 206, 0,   214, 203, 199, 195, 207, 178, 241, 239,  // 240-255
};

// Latin-1 0-255 to EBCDIC code page 037, where every Latin-1 character has a place.
constexpr u8 kLatin1ToEbcdic037[256] = {
    0x00, 0x01, 0x02, 0x03, 0x37, 0x2D, 0x2E, 0x2F, 0x16, 0x05, 0x25, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F,  // 0-15
    0x10, 0x11, 0x12, 0x13, 0x3C, 0x3D, 0x32, 0x26, 0x18, 0x19, 0x3F, 0x27, 0x1C, 0x1D, 0x1E, 0x1F,  // 16-31
    0x40, 0x5A, 0x7F, 0x7B, 0x5B, 0x6C, 0x50, 0x7D, 0x4D, 0x5D, 0x5C, 0x4E, 0x6B, 0x60, 0x4B, 0x61,  // 32-47
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0x7A, 0x5E, 0x4C, 0x7E, 0x6E, 0x6F,  // 48-63
    0x7C, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6,  // 64-79
    0xD7, 0xD8, 0xD9, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xBA, 0xE0, 0xBB, 0xB0, 0x6D,  // 80-95
    0x79, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96,  // 96-111
    0x97, 0x98, 0x99, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xC0, 0x4F, 0xD0, 0xA1, 0x07,  // 112-127
    0x20, 0x21, 0x22, 0x23, 0x24, 0x15, 0x06, 0x17, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x09, 0x0A, 0x1B,  // 128-143
    0x30, 0x31, 0x1A, 0x33, 0x34, 0x35, 0x36, 0x08, 0x38, 0x39, 0x3A, 0x3B, 0x04, 0x14, 0x3E, 0xFF,  // 144-159
    0x41, 0xAA, 0x4A, 0xB1, 0x9F, 0xB2, 0x6A, 0xB5, 0xBD, 0xB4, 0x9A, 0x8A, 0x5F, 0xCA, 0xAF, 0xBC,  // 160-175
    0x90, 0x8F, 0xEA, 0xFA, 0xBE, 0xA0, 0xB6, 0xB3, 0x9D, 0xDA, 0x9B, 0x8B, 0xB7, 0xB8, 0xB9, 0xAB,  // 176-191
    0x64, 0x65, 0x62, 0x66, 0x63, 0x67, 0x9E, 0x68, 0x74, 0x71, 0x72, 0x73, 0x78, 0x75, 0x76, 0x77,  // 192-207
    0xAC, 0x69, 0xED, 0xEE, 0xEB, 0xEF, 0xEC, 0xBF, 0x80, 0xFD, 0xFE, 0xFB, 0xFC, 0xAD, 0xAE, 0x59,  // 208-223
    0x44, 0x45, 0x42, 0x46, 0x43, 0x47, 0x9C, 0x48, 0x54, 0x51, 0x52, 0x53, 0x58, 0x55, 0x56, 0x57,  // 224-239
    0x8C, 0x49, 0xCD, 0xCE, 0xCB, 0xCF, 0xCC, 0xE1, 0x70, 0xDD, 0xDE, 0xDB, 0xDC, 0x8D, 0x8E, 0xDF,  // 240-255
};
constexpr u8 kEbcdicBlank = 0x40;

u8 UnicodeToEbcdic(u16 ch)
{
    return ch < 256 ? kLatin1ToEbcdic037[ch] : kEbcdicBlank;
}

// Roman-8 characters outside Latin-1.
constexpr struct {
    u16 ch;
    u8 byte;
} kRoman8Extras[] = {{0x0160, 235}, {0x0161, 236}, {0x0178, 238}, {0x0192, 190}};

// Characters a 7-bit national printer builds by overstriking two of its own.
constexpr struct {
    u16 ch;
    u8 first, second;
} kOverstrikes[] = {
    {162, 'c', '|'},  // cent
    {164, 'C', '='},  // currency
    {165, 'Y', '='},  // yen
};

// The eight Latin-9 positions that differ from Latin-1.
constexpr struct {
    u16 ch;
    u8 byte;
} kLatin9Moves[] = {
    {0x20AC, 164}, {0x0160, 166}, {0x0161, 168}, {0x017D, 180},
    {0x017E, 184}, {0x0152, 188}, {0x0153, 189}, {0x0178, 190},
};

// Windows-1250 positions that ISO 8859-2 has elsewhere or not at all (the carons and
// acutes of S, T and Z included: at their ISO places Windows-1250 has other signs).
constexpr struct {
    u16 ch;
    u8 byte;
} kCp1250Moves[] = {
    {0x0104, 165}, {0x0105, 185}, {0x013D, 188}, {0x013E, 190}, {0x02C7, 161},
    {0x015A, 140}, {0x015B, 156}, {0x0160, 138}, {0x0161, 154}, {0x0164, 141},
    {0x0165, 157}, {0x0179, 143}, {0x017A, 159}, {0x017D, 142}, {0x017E, 158},
};
// Windows-1250 bytes that are the Latin-1 character of the same code.
bool Cp1250KeepsLatin1(u16 ch)
{
    return (ch >= 166 && ch <= 169) || (ch >= 171 && ch <= 174) || ch == 177 || (ch >= 180 && ch <= 184) ||
           ch == 187;
}

// A code-page result: 0 (the page lacks the character) or a value past one byte is a blank.
u8 ByteOrBlank(u16 code)
{
    return code > 0 && code < 256 ? static_cast<u8>(code) : kBlank;
}

// Through a set whose encoder hands back what it cannot place: the byte counts only
// when the set decodes it to the same character.
u8 Through(u16 (*encode)(u16), u16 (*decode)(u16), u16 ch)
{
    const u16 code = encode(ch);
    return code >= 128 && code < 256 && decode(code) == ch ? static_cast<u8>(code) : kBlank;
}

u8 CentralEuropean(u16 ch)
{
    constexpr u16 kNoBreakSpace = 0xA0;  // the terminal's set shows it as a plain blank
    return ch == kNoBreakSpace ? static_cast<u8>(ch) : Through(UnicodeToCp1250, Cp1250ToUnicode, ch);
}

u8 National7Bit(u16 ch, const u8* national)
{
    const u8 mapped = ch < 256 ? MapCharByPairTable(static_cast<u8>(ch), national) : kBlank;
    return mapped > 127 ? kBlank : mapped;
}

}  // namespace

u8 MapCharByPairTable(u8 b, const u8* table)
{
    if (!table)
        return b;
    for (; table[0]; table += 2)
        if (table[1] == b)
            return table[0];
    return b;
}

int TranslatePrintChar(u32 charset, u16 ch, const u8* national, u8 out[3])
{
    if (ch < 128 && charset != kPrintEbcdic) {
        out[0] = static_cast<u8>(ch);
        return 1;
    }
    u8 b = static_cast<u8>(ch);
    switch (charset) {
    case kPrintNational7Bit:
        for (const auto& o : kOverstrikes) {
            if (o.ch == ch) {
                out[0] = o.first;
                out[1] = kBackspace;
                out[2] = o.second;
                return 3;
            }
        }
        b = National7Bit(ch, national);
        break;
    case kPrintRoman8:
        b = ch >= 160 && ch <= 255 ? ByteOrBlank(kLatin1ToRoman8[ch - 160]) : kBlank;
        for (const auto& e : kRoman8Extras)
            if (e.ch == ch)
                b = e.byte;
        break;
    case kPrintLatin2: b = CentralEuropean(ch); break;
    case kPrintLatin5: b = Through(UnicodeToTurkish, TurkishToUnicode, ch); break;
    case kPrintCp437: b = ByteOrBlank(UnicodeToCp437(ch)); break;
    case kPrintCp850:
        if (ch > 159)
            b = ByteOrBlank(UnicodeToCp850(ch));
        break;
    case kPrintCp852: b = ByteOrBlank(UnicodeToCp852(ch)); break;
    case kPrintCp858:
        // Code page 858 is 850 with the euro where 850 has the dotless i; 164 is taken
        // for the euro, as a Latin-9 host sends it.
        if (ch == 164 || ch == 0x20AC)
            b = 213;
        else if (ch == 0x0131)
            b = kBlank;
        else if (ch > 159)
            b = ByteOrBlank(UnicodeToCp850(ch));
        break;
    case kPrintCp1250:
        b = 0;
        for (const auto& m : kCp1250Moves)
            if (m.ch == ch)
                b = m.byte;
        if (!b)
            b = Cp1250KeepsLatin1(ch) ? static_cast<u8>(ch) : CentralEuropean(ch);
        break;
    case kPrintLatin9:
        b = ch > 255 ? kBlank : b;
        for (const auto& m : kLatin9Moves) {
            if (m.byte == ch)
                b = kBlank;  // Latin-1's character there is not in Latin-9
            if (m.ch == ch)
                b = m.byte;
        }
        break;
    case kPrintEbcdic: b = UnicodeToEbcdic(ch); break;
    default:
        // Latin-1 takes the character's own code; beyond it there is none.
        b = ch > 255 ? kBlank : b;
        break;
    }
    out[0] = b;
    return 1;
}

u8 MapControllerChar(u8 b)
{
    if (PrintingValues.ConvertHostChars != kPrintNational7Bit || b > 127 || Vt300Values.mltnat)
        return b;
    return MapByteByPairTable(b, NationalReplacementTable());
}
