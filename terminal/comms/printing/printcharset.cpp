#include "terminal/comms/printing/printcharset.h"

#include "terminal/core/screen/charsets.h"
#include "terminal/core/screen/codepages.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/base/family.h"
#include "terminal/settings/store/profilevalues.h"

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

constexpr u8 kEbcdicBlank = 0x40;

// Through code page 037's built-in table; what it has no byte for prints as a blank.
u8 UnicodeToEbcdic(u16 ch)
{
    u8 b = kCodePageNoByte;
    CodePageUnicodeToByte(BuiltinUnicodeToByteTable(), &b, ch);
    return b == kCodePageNoByte && ch != kCodePageNoCharacter ? kEbcdicBlank : b;
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
    return MapByteByPairTable(b, PrintNationalSet());
}

const u8* PrintNationalSet()
{
    const auto set = ActiveFamily().nationalSet;
    return set ? set() : nullptr;
}
