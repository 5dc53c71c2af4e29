#include "terminal/emulations/wyse/charsets/charsets.h"

#include <cstring>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/memblock.h"
#include "terminal/emulations/wyse/charsets/codepagetables.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

WyseBankState WyBanks = {{0, 'A', 1, 'a'}, {0, 0, 0, 0}, {0, 1}, 0, 0};

namespace {

constexpr u8 kNativeSubstituted = 0, kNativeLarge = 1;

// The native Wyse set's graphics characters 0x10-0x1F (the line drawing the box
// command and the terminfo descriptions use) and blanks where the set shows nothing.
// clang-format off
constexpr u16 kNativeGraphics[16] = {
    0x252C, 0x2514, 0x250C, 0x2510, 0x251C, 0x2518, 0x2502, 0x2588,
    0x253C, 0x2524, 0x2500, 0x2592, 0x2550, 0x2534, 0x2551, 0x2584,
};
// National substitutions of the native set, by keyboard language.
struct Substitution { u8 character; u16 unicode; };
constexpr Substitution kUk[] = {{'#', 0x00A3}, {0, 0}};
constexpr Substitution kFrench[] = {{'#', 0x00A3}, {'@', 0x00E0}, {'[', 0x00B0}, {'\\', 0x00E7}, {']', 0x00A7},
    {'{', 0x00E9}, {'|', 0x00F9}, {'}', 0x00E8}, {'~', 0x00A8}, {0, 0}};
constexpr Substitution kCanadian[] = {{'@', 0x00E0}, {'[', 0x00E2}, {'\\', 0x00E7}, {']', 0x00EA}, {'^', 0x00EE},
    {'`', 0x00F4}, {'{', 0x00E9}, {'|', 0x00F9}, {'}', 0x00E8}, {'~', 0x00FB}, {0, 0}};
constexpr Substitution kDanish[] = {{'@', 0x00C4}, {'[', 0x00C6}, {'\\', 0x00D8}, {']', 0x00C5}, {'^', 0x00DC},
    {'`', 0x00E4}, {'{', 0x00E6}, {'|', 0x00F8}, {'}', 0x00E5}, {'~', 0x00FC}, {0, 0}};
constexpr Substitution kFinnish[] = {{'[', 0x00C4}, {'\\', 0x00D6}, {']', 0x00C5}, {'^', 0x00DC}, {'`', 0x00E9},
    {'{', 0x00E4}, {'|', 0x00F6}, {'}', 0x00E5}, {'~', 0x00FC}, {0, 0}};
constexpr Substitution kGerman[] = {{'@', 0x00A7}, {'[', 0x00C4}, {'\\', 0x00D6}, {']', 0x00DC}, {'{', 0x00E4},
    {'|', 0x00F6}, {'}', 0x00FC}, {'~', 0x00DF}, {0, 0}};
constexpr Substitution kDutch[] = {{'#', 0x00A3}, {'@', 0x00BE}, {'[', 0x00FF}, {'\\', 0x00BD}, {']', 0x00A6},
    {'{', 0x00A8}, {'|', 0x01E2}, {'}', 0x00BC}, {'~', 0x00B4}, {0, 0}};
constexpr Substitution kItalian[] = {{'#', 0x00A3}, {'@', 0x00A7}, {'[', 0x00B0}, {'\\', 0x00E7}, {']', 0x00E9},
    {'`', 0x00F9}, {'{', 0x00E0}, {'|', 0x00F2}, {'}', 0x00E8}, {'~', 0x00EC}, {0, 0}};
constexpr Substitution kSwiss[] = {{'#', 0x00F9}, {'@', 0x00E0}, {'[', 0x00E9}, {'\\', 0x00E7}, {']', 0x00EA},
    {'^', 0x00EE}, {'_', 0x00E8}, {'`', 0x00F4}, {'{', 0x00E4}, {'|', 0x00F6}, {'}', 0x00FC}, {'~', 0x00FB}, {0, 0}};
constexpr Substitution kSwedish[] = {{'@', 0x00C9}, {'[', 0x00C4}, {'\\', 0x00D6}, {']', 0x00C5}, {'^', 0x00DC},
    {'`', 0x00E9}, {'{', 0x00E4}, {'|', 0x00F6}, {'}', 0x00E5}, {'~', 0x00FC}, {0, 0}};
constexpr Substitution kSpanish[] = {{'[', 0x00A1}, {'\\', 0x00D1}, {']', 0x00BF}, {'{', 0x00BA}, {'|', 0x00F1},
    {'}', 0x00E7}, {0, 0}};
// clang-format on

// The substitutions of each keyboard language (by its index; 0 and the PC languages
// have none).
const Substitution* const kLanguageSubstitutions[] = {nullptr, kUk,     kFrench,  kCanadian, kDanish, kFinnish,
                                                      kGerman, kDutch,  kItalian, kSwiss,    kSwiss,  kSwedish,
                                                      kDanish, kFrench, kSpanish, kUk};

const Substitution* SubstitutionsFor(int language)
{
    constexpr int kCount = sizeof kLanguageSubstitutions / sizeof kLanguageSubstitutions[0];
    return language > 0 && language < kCount ? kLanguageSubstitutions[language] : nullptr;
}

// The national code tables by "wy_multset".
const u16* const kNationalTables[11] = {kCp437Upper, kCp850Upper, kCp858Upper, kCp437PolishUpper,
                                        kCp852Upper, kCp863Upper, kCp865Upper, kCp437CatalanUpper,
                                        kCp860Upper, kCp866Upper, kCp857Upper};

u16 NativeGlyph(int c)
{
    if (c < 0x10)
        return static_cast<u16>(0x2400 + c);
    if (c < 0x20)
        return kNativeGraphics[c - 0x10];
    return c == 0x7F ? 0x20 : static_cast<u16>(c);
}

// The glyph table of a set code, written into a bank.
void FillBank(u16* glyphs, u8 code)
{
    // The set codes that show a PC code page's upper half (and its PC lower half).
    struct CodePageSet {
        const char* codes;
        const u16* upper;
    };
    static const CodePageSet kCodePageSets[] = {{"Aa;w8t9u", kCp437Upper}, {"Mi", kCp850Upper},
                                                {"\x08\x09", kCp858Upper}, {":v", kCp437PolishUpper},
                                                {"]n", kCp852Upper},       {"Kk", kCp863Upper},
                                                {"Lh", kCp865Upper},       {"Yl", kCp437CatalanUpper},
                                                {"Zm", kCp860Upper},       {"7o", kCp866Upper},
                                                {"6p", kCp857Upper}};
    const u16* upper = nullptr;
    for (const CodePageSet& set : kCodePageSets)
        if (code != 0 && std::strchr(set.codes, code))
            upper = set.upper;
    if (upper) {
        std::memcpy(glyphs, upper, kWyseBankGlyphs * sizeof(u16));
        return;
    }
    const bool pcStandard = code == 'D' || code == 'b' || code == 'G' || code == 'd';
    const bool graphics = code == 'F' || code == 'B' || code == 'c' || code == 'C' || code == 'E';
    for (int c = 0; c < kWyseBankGlyphs; ++c) {
        u16 g = NativeGlyph(c);
        if (pcStandard)
            g = c < 0x20 ? kPcControlGlyphs[c] : c == 0x7F ? 0x2302 : static_cast<u16>(c);
        else if (graphics && c >= 0x40 && c < 0x60)
            g = kNativeGraphics[c & 0x0F];
        glyphs[c] = g;
    }
    if (code == kNativeSubstituted || code == kNativeLarge)
        if (const Substitution* s = SubstitutionsFor(KeyboardTypeIndex))
            for (; s->character; ++s)
                glyphs[s->character] = s->unicode;
}

u16* BankGlyphs(int bank)
{
    return WyStore.bankGlyphs ? WyStore.bankGlyphs + (bank & 3) * kWyseBankGlyphs : nullptr;
}

}  // namespace

u8 WyseCurrentGlyphFlags()
{
    return static_cast<u8>(WyBanks.current & kWyBankBits);
}

u8 WyseNationalSetCode(int lines)
{
    static const u8 kCodes[11][2] = {{'A', 'a'}, {'M', 'i'}, {8, 9},     {':', 'v'}, {']', 'n'}, {'K', 'k'},
                                     {'L', 'h'}, {'Y', 'l'}, {'Z', 'm'}, {'7', 'o'}, {'6', 'p'}};
    const int variant = WySet.multSet <= 10 ? WySet.multSet : 0;
    return kCodes[variant][lines < 26 ? 0 : 1];
}

void WyseFreeSoftChars(int bank)
{
    if (!WyStore.softGlyph || bank < 0 || bank > 3)
        return;
    for (int c = 0; c < 256; ++c) {
        u8*& rows = WyStore.softGlyph[bank * 256 + c];
        if (rows)
            MemFreeBlock(rows);
        rows = nullptr;
    }
}

void WyseLoadBank(int bank)
{
    u16* glyphs = BankGlyphs(bank);
    if (!glyphs)
        return;
    WyseFreeSoftChars(bank);
    FillBank(glyphs, WyBanks.setCode[bank & 3]);
}

void WyseSelectCharsetMode(int m)
{
    struct Sets {
        u8 a, b, c, d;
    };
    static const Sets kModes[] = {
        {'D', 'A', 'b', 'a'}, {'D', 'M', 'b', 'i'}, {'D', 'L', 'b', 'h'}, {'D', 'K', 'b', 'k'},
        {'@', 'A', '`', 'a'}, {'D', 'Y', 'b', 'l'}, {'D', 'Z', 'b', 'm'}, {'D', ']', 'b', 'n'},
        {'D', '6', 'b', 'p'}, {'D', '7', 'b', 'o'},
    };
    Sets sets{};
    if (m == '0') {
        if (WyMode.nationalSets)
            sets = Sets{static_cast<u8>(WySet.asciiFont ? 'D' : '@'), WyseNationalSetCode(24),
                        static_cast<u8>(WySet.asciiFont ? 'b' : '`'), WyseNationalSetCode(26)};
        else
            sets = Sets{kNativeSubstituted, 'A', kNativeLarge, 'a'};
    } else if (m >= '1' && m <= ':') {
        sets = kModes[m - '1'];
    } else if (m == '=') {
        sets = Sets{'D', ':', 'b', 'v'};
    } else {
        return;
    }
    const bool small = WyStore.displaySize < 26;
    WyBanks.setCode[0] = small ? sets.a : sets.c;
    WyBanks.setCode[1] = small ? sets.b : sets.d;
    WyBanks.setCode[2] = sets.c;
    WyBanks.setCode[3] = sets.d;
    for (int b = 0; b < kWyseBanks; ++b) {
        WyBanks.large[b] = small ? 0 : 1;
        WyseLoadBank(b);
    }
    WyBanks.selector[0] = 0;
    WyBanks.selector[1] = 1;
    WyBanks.current = 0;
    WyBanks.otherCurrent = 0;
}

void WyseResetCharsets()
{
    WyseSelectCharsetMode('0');
}

bool WyseLoadSoftChar(int bank, int character, const u8* rows)
{
    // A bank holds glyphs for 128 character codes; a code past them has no place.
    if (!WyStore.softGlyph || !WyStore.bankGlyphs || bank < 0 || bank > 3 || character < 0 || character > 127)
        return false;
    u8*& block = WyStore.softGlyph[bank * 256 + character];
    if (!block)
        block = static_cast<u8*>(MemAllocBlock(16));
    if (!block)
        return false;
    std::memcpy(block, rows, 16);
    BankGlyphs(bank)[character] = static_cast<u16>(kWyseSoftGlyph | (bank * 256 + character));
    WyseRepaintAll();
    return true;
}

const u8* WyseSoftGlyphRows(u16 glyph)
{
    if (!(glyph & kWyseSoftGlyph) || !WyStore.softGlyph)
        return nullptr;
    return WyStore.softGlyph[glyph & 0x3FF];
}

u16 WyseCharGlyph(u8 character, u8 bank)
{
    character &= 0x7F;
    if (!WyStore.attrMode60) {
        // The other personalities know one graphics set beside the native one.
        if (bank & kWyBankBits)
            return character >= 0x40 && character < 0x60 ? kNativeGraphics[character & 0x0F] : character;
        bank = WyBanks.otherCurrent;
    }
    const u16* glyphs = BankGlyphs(bank);
    return glyphs ? glyphs[character] : NativeGlyph(character);
}

int WyseUnicodeToHostChar(int unicode)
{
    if (unicode < 0)
        return -1;
    if (unicode < 0x80)
        return unicode;
    if (unicode < 0xA0)
        return -1;
    const int variant = WySet.multSet <= 10 ? WySet.multSet : 0;
    const u16* table = kNationalTables[variant];
    for (int i = 0; i < 128; ++i)
        if (table[i] == unicode)
            return 0x80 + i;
    // Near substitutes for what a code page lacks.
    if (unicode == 0xA0)
        return variant == 1 || variant == 2 ? ' ' : 0xFF;
    if (unicode == 0xA6 && (variant == 3 || variant == 4))
        return '|';
    if (unicode == 0xA8 && variant == 0)
        return '"';
    return -1;
}

u16 WyseHostCharToUnicode(int code)
{
    if (code < 0x80)
        return static_cast<u16>(code < 0 ? ' ' : code);
    const int variant = WySet.multSet <= 10 ? WySet.multSet : 0;
    const u16 u = kNationalTables[variant][(code - 0x80) & 0x7F];
    return u ? u : static_cast<u16>(' ');
}

u16 WyseCellUnicode(u8 character, u8 flags)
{
    const u16 glyph = WyseCharGlyph(character, flags & kWyBankBits);
    if (glyph & kWyseSoftGlyph)
        return ' ';
    if (glyph >= 0x2400 && glyph < 0x2420)
        return static_cast<u16>(glyph - 0x2400 == 0 ? ' ' : glyph);
    return glyph;
}
