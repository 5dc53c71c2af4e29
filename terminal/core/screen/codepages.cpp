#include "terminal/core/screen/codepages.h"

#include <algorithm>
#include <array>

#include "terminal/core/base/memblock.h"

namespace {

// Code page 037 (USA, Canada): host byte to character.
constexpr u16 kCp037[256] = {
    0x0000, 0x0001, 0x0002, 0x0003, 0x009C, 0x0009, 0x0086, 0x007F,  // 00
    0x0097, 0x008D, 0x008E, 0x000B, 0x000C, 0x000D, 0x000E, 0x000F,  // 08
    0x0010, 0x0011, 0x0012, 0x0013, 0x009D, 0x0085, 0x0008, 0x0087,  // 10
    0x0018, 0x0019, 0x0092, 0x008F, 0x001C, 0x001D, 0x001E, 0x001F,  // 18
    0x0080, 0x0081, 0x0082, 0x0083, 0x0084, 0x000A, 0x0017, 0x001B,  // 20
    0x0088, 0x0089, 0x008A, 0x008B, 0x008C, 0x0005, 0x0006, 0x0007,  // 28
    0x0090, 0x0091, 0x0016, 0x0093, 0x0094, 0x0095, 0x0096, 0x0004,  // 30
    0x0098, 0x0099, 0x009A, 0x009B, 0x0014, 0x0015, 0x009E, 0x001A,  // 38
    0x0020, 0x00A0, 0x00E2, 0x00E4, 0x00E0, 0x00E1, 0x00E3, 0x00E5,  // 40
    0x00E7, 0x00F1, 0x00A2, 0x002E, 0x003C, 0x0028, 0x002B, 0x007C,  // 48
    0x0026, 0x00E9, 0x00EA, 0x00EB, 0x00E8, 0x00ED, 0x00EE, 0x00EF,  // 50
    0x00EC, 0x00DF, 0x0021, 0x0024, 0x002A, 0x0029, 0x003B, 0x00AC,  // 58
    0x002D, 0x002F, 0x00C2, 0x00C4, 0x00C0, 0x00C1, 0x00C3, 0x00C5,  // 60
    0x00C7, 0x00D1, 0x00A6, 0x002C, 0x0025, 0x005F, 0x003E, 0x003F,  // 68
    0x00F8, 0x00C9, 0x00CA, 0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF,  // 70
    0x00CC, 0x0060, 0x003A, 0x0023, 0x0040, 0x0027, 0x003D, 0x0022,  // 78
    0x00D8, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067,  // 80
    0x0068, 0x0069, 0x00AB, 0x00BB, 0x00F0, 0x00FD, 0x00FE, 0x00B1,  // 88
    0x00B0, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F, 0x0070,  // 90
    0x0071, 0x0072, 0x00AA, 0x00BA, 0x00E6, 0x00B8, 0x00C6, 0x00A4,  // 98
    0x00B5, 0x007E, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077, 0x0078,  // A0
    0x0079, 0x007A, 0x00A1, 0x00BF, 0x00D0, 0x00DD, 0x00DE, 0x00AE,  // A8
    0x005E, 0x00A3, 0x00A5, 0x00B7, 0x00A9, 0x00A7, 0x00B6, 0x00BC,  // B0
    0x00BD, 0x00BE, 0x005B, 0x005D, 0x00AF, 0x00A8, 0x00B4, 0x00D7,  // B8
    0x007B, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047,  // C0
    0x0048, 0x0049, 0x00AD, 0x00F4, 0x00F6, 0x00F2, 0x00F3, 0x00F5,  // C8
    0x007D, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F, 0x0050,  // D0
    0x0051, 0x0052, 0x00B9, 0x00FB, 0x00FC, 0x00F9, 0x00FA, 0x00FF,  // D8
    0x005C, 0x00F7, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057, 0x0058,  // E0
    0x0059, 0x005A, 0x00B2, 0x00D4, 0x00D6, 0x00D2, 0x00D3, 0x00D5,  // E8
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,  // F0
    0x0038, 0x0039, 0x00B3, 0x00DB, 0x00DC, 0x00D9, 0x00DA, 0x009F,  // F8
};

// The built-in reverse table: the index, then pages 1 (Latin-1), 2 (U+20xx), 3 (U+FFxx)
// and 4, which every other high byte shares and which holds "?" throughout.
constexpr int kLatinPage = 1, kGeneralPunctuationPage = 2, kHalfwidthFormsPage = 3, kUnmappedPage = 4;
// Hosts send U+008E for the new-line order's character; it goes back as a CR.
constexpr u16 kNewLineOrderCharacter = 0x008E;
constexpr u8 kCarriageReturn = 13;

constexpr std::array<u8, kByteToUnicodeTableBytes> BuildByteToUnicode()
{
    std::array<u8, kByteToUnicodeTableBytes> table{};
    for (int b = 0; b < 256; ++b) {
        table[2 * b] = static_cast<u8>(kCp037[b] >> 8);
        table[2 * b + 1] = static_cast<u8>(kCp037[b] & 0xFF);
    }
    return table;
}

constexpr std::array<u8, kBuiltinUnicodeToByteBytes> BuildUnicodeToByte()
{
    std::array<u8, kBuiltinUnicodeToByteBytes> table{};
    for (int high = 0; high < 256; ++high)
        table[high] = kUnmappedPage;
    table[0x00] = kLatinPage;
    table[0x20] = kGeneralPunctuationPage;
    table[0xFF] = kHalfwidthFormsPage;
    for (std::size_t i = 256; i < table.size(); ++i)
        table[i] = kCodePageNoByte;
    for (int b = 0; b < 256; ++b)
        if (kCp037[b] < 256)
            table[kLatinPage * 256 + kCp037[b]] = static_cast<u8>(b);
    table[kLatinPage * 256 + kNewLineOrderCharacter] = kCarriageReturn;
    return table;
}

constexpr std::array<u8, kByteToUnicodeTableBytes> kS2U = BuildByteToUnicode();
constexpr std::array<u8, kBuiltinUnicodeToByteBytes> kU2S = BuildUnicodeToByte();

}  // namespace

const u8* BuiltinByteToUnicodeTable()
{
    return kS2U.data();
}

const u8* BuiltinUnicodeToByteTable()
{
    return kU2S.data();
}

bool IsValidByteToUnicodeTable(const u8* table, std::size_t size)
{
    return table && size == kByteToUnicodeTableBytes;
}

bool IsValidUnicodeToByteTable(const u8* table, std::size_t size)
{
    if (!table || size < kUnicodeToByteIndexBytes || size > kUnicodeToByteMaxBytes)
        return false;
    for (std::size_t high = 0; high < kUnicodeToByteIndexBytes; ++high)
        if ((static_cast<std::size_t>(table[high]) + 1) * 256 > size)
            return false;
    return true;
}

bool IsValidCcsid(long ccsid)
{
    return ccsid >= 1 && ccsid <= 65535;
}

void CodePageByteToUnicode(const u8* table, u16* out, u8 byte)
{
    *out = table ? static_cast<u16>(table[2 * byte] << 8 | table[2 * byte + 1]) : kCodePageNoCharacter;
}

void EbcdicByteToUnicode(u16* out, u8 byte)
{
    CodePageByteToUnicode(kS2U.data(), out, byte);
}

void CodePageBytesToUnicode(const u8* table, u16* out, const u8* bytes, int count)
{
    for (int i = 0; i < count; ++i) {
        CodePageByteToUnicode(table, &out[i], bytes[i]);
        if (out[i] == kCodePageNoCharacter)
            out[i] = ' ';
    }
}

void CodePageUnicodeToByte(const u8* table, u8* out, u16 character)
{
    *out = table ? table[table[character >> 8] * 256 + (character & 0xFF)] : kCodePageNoByte;
}

int CompareCodePageNumbers(u16 a, u16 b)
{
    return static_cast<int>(a) - static_cast<int>(b);
}

int IntersectCodePageLists(u16* a, int countA, u16* b, int countB)
{
    int i = 0, j = 0;
    while (i < countA) {
        if (j >= countB) {
            countA = i;
            break;
        }
        const int order = CompareCodePageNumbers(a[i], b[j]);
        if (order < 0) {
            std::copy(a + i + 1, a + countA, a + i);
            --countA;
        } else if (order == 0) {
            ++i;
            ++j;
        } else {
            ++j;
        }
    }
    MemFreeBlock(b);
    return countA;
}

int SortedListContains(u16 number, int count, const u16* list)
{
    for (int i = 0; i < count; ++i) {
        if (list[i] == number)
            return 1;
        if (list[i] > number)
            return 0;
    }
    return 0;
}

void SortCodePageList(u16* list, int count)
{
    std::sort(list, list + count, [](u16 a, u16 b) { return CompareCodePageNumbers(a, b) < 0; });
}

long CodePageNumberFromFileName(const wchar16* name)
{
    if (!name)
        return -1;
    const wchar16* dot = nullptr;
    for (const wchar16* p = name; *p; ++p)
        if (*p == '.')
            dot = p;
    if (!dot)
        return -1;
    const wchar16* m = nullptr;
    for (const wchar16* p = name; p < dot; ++p)
        if (*p == 'M' || *p == 'm')
            m = p;
    // Exactly the five digits the tables are looked up by: a name the loader would
    // never ask for ("IBM500.S2U", "IBM00273.OLD.S2U") names no table.
    const wchar16* p = m ? m + 1 : name;
    if (dot - p != 5)
        return -1;
    long number = 0;
    for (; p < dot; ++p) {
        if (*p < '0' || *p > '9')
            return -1;
        number = number * 10 + (*p - '0');
    }
    return IsValidCcsid(number) ? number : -1;
}
