#include "wizard/engine/national.h"

#include <algorithm>

namespace {

// clang-format off
const NationalLanguage kLanguages[kNationalLanguageCount] = {
    {"USB", 0,   697,  37,   37,   697,  37},    // English (US)
    {"UKB", 0,   697,  285,  285,  697,  285},   // English (UK)
    {"BLI", 0,   697,  500,  500,  697,  500},   // Belgian
    {"CAI", 0,   697,  500,  37,   697,  37},    // Canadian (French)
    {"DMB", 0,   697,  277,  277,  697,  277},   // Danish
    {"FNB", 0,   697,  278,  278,  697,  278},   // Finnish
    {"AGB", 0,   697,  273,  273,  697,  273},   // German
    {"NEB", 0,   697,  37,   37,   697,  37},    // Dutch
    {"ITB", 0,   697,  280,  280,  697,  280},   // Italian
    {"SFI", 0,   697,  500,  500,  697,  500},   // Swiss (French)
    {"SGI", 0,   697,  500,  500,  697,  500},   // Swiss (German)
    {"SWB", 0,   697,  278,  278,  697,  278},   // Swedish
    {"NWB", 0,   697,  277,  277,  697,  277},   // Norwegian
    {"FAB", 0,   697,  297,  297,  697,  297},   // French
    {"SPB", 0,   697,  284,  284,  697,  284},   // Spanish
    {"PRB", 0,   697,  37,   37,   697,  37},    // Portuguese
    {"JKB", 300, 1172, 290,  290,  1172, 930},   // Japanese Kanji + Katakana
    {"KOB", 834, 1173, 833,  833,  1173, 933},   // Korean
    {"RCB", 837, 1174, 836,  836,  1174, 937},   // Simplified Chinese
    {"TAB", 835, 1175, 37,   37,   1175, 935},   // Traditional Chinese
    {"NCB", 0,   941,  424,  424,  941,  424},   // Hebrew
    {"THB", 0,   1176, 838,  838,  1176, 838},   // Thai
    {"GNB", 0,   925,  875,  875,  925,  875},   // Greek
    {"CYB", 0,   960,  880,  880,  960,  880},   // Cyrillic
    {"TRB", 0,   1152, 1026, 1026, 1152, 1026},  // Turkish
    {"RUB", 0,   1150, 1025, 1025, 1150, 1025},  // Russian
    {"CSB", 0,   959,  870,  870,  959,  870},   // Czech
    {"SKB", 0,   959,  870,  870,  959,  870},   // Slovak
    {"POB", 0,   959,  870,  870,  959,  870},   // Polish
    {"ICB", 0,   697,  871,  871,  697,  871},
    {"BGE", 0,   1150, 1154, 1154, 1150, 1154},
    {"MKE", 0,   1150, 1154, 1154, 1150, 1154},
    {"YGM", 0,   959,  1153, 1153, 1375, 1153},
    {"HNE", 0,   959,  1153, 1153, 1375, 1153},
    {"RME", 0,   959,  1153, 1153, 1375, 1153},
    {"SQE", 0,   959,  1153, 1153, 1375, 1153},
    {"YGM", 0,   959,  1153, 1153, 1375, 1153},
};

// Primary language, sub-language (0: any) and the table's row counted from 1; the first
// match counts, so a language's own sub-languages stand before its "any".
constexpr struct {
    u16 primary, sub;
    u8 row;
    bool national;
} kLayoutRows[] = {
    {2, 0, 31, false},  {4, 1, 20, false},  {4, 2, 19, false},  {5, 0, 27, false},  {6, 0, 5, true},
    {7, 1, 7, true},    {7, 3, 7, true},    {7, 2, 11, true},   {7, 0, 7, false},   {8, 0, 23, true},
    {9, 2, 2, true},    {9, 6, 2, true},    {9, 0, 1, true},    {10, 1, 15, true},  {10, 0, 15, false},
    {11, 0, 6, true},   {12, 1, 14, true},  {12, 2, 14, true},  {12, 3, 4, true},   {12, 4, 10, true},
    {12, 0, 14, false}, {13, 0, 21, true},  {14, 0, 34, false}, {15, 0, 30, false}, {16, 1, 9, true},
    {16, 0, 9, false},  {17, 0, 17, false}, {18, 0, 18, false}, {19, 1, 8, true},   {19, 0, 3, true},
    {20, 0, 13, true},  {21, 0, 29, false}, {22, 1, 16, false}, {22, 0, 16, true},  {24, 0, 35, false},
    {25, 0, 26, true},  {26, 2, 36, true},  {26, 3, 36, true},  {26, 0, 33, true},  {27, 0, 28, false},
    {29, 0, 12, true},  {30, 0, 22, false}, {31, 0, 25, true},  {36, 0, 37, true},  {47, 0, 32, false},
};
// clang-format on

constexpr WizardValueId kNone = kWizardValueCount;

int HexDigit(wchar16 c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = FoldCase(c);
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

}  // namespace

const NationalLanguage& NationalLanguageAt(u32 row)
{
    return kLanguages[row < kNationalLanguageCount ? row : 0];
}

LayoutLanguage LanguageOfIds(u32 primary, u32 subLanguage)
{
    for (const auto& entry : kLayoutRows)
        if (entry.primary == primary && (entry.sub == 0 || entry.sub == subLanguage))
            return {static_cast<u32>(entry.row - 1), entry.national};
    // Every other language (Vietnamese, which has no row, among them) takes English (US)
    // without a national variant.
    return {0, false};
}

LayoutLanguage LanguageOfLayoutName(const wchar16* name)
{
    if (!name)
        return LanguageOfIds(0, 0);
    u32 value = 0;
    for (const wchar16* c = name; *c; ++c) {
        const int digit = HexDigit(*c);
        if (digit < 0)
            return LanguageOfIds(1023, 63);
        value = value << 4 | static_cast<u32>(digit);
    }
    return LanguageOfIds(value & 0x3FF, (value >> 10) & 0x3F);
}

u32 SuggestedCharacterSet(u32 row)
{
    switch (row + 1) {
    case 21: return kSetHebrew;
    case 23: return kSetGreek;
    case 25: return kSetLatin5;
    case 26: return kSetCyrillic;
    case 27:
    case 28:
    case 29:
    case 33:
    case 34:
    case 35:
    case 36:
    case 37: return kSetLatin2;
    default: return kSetLatin1;
    }
}

u8 FontCharsetOfSet(u32 set)
{
    if (set == kSetGreek)
        return 161;
    return set == kSetHebrew ? 177 : 0;
}

u8 FontCharsetOfRow(u32 row)
{
    // clang-format off
    static const u8 kCharsets[kNationalLanguageCount] = {
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // rows 1-16
        128, 129, 134, 136, 177, 222, 161, 204, 162, 204, 238, 238, 238,
        0,                                               // row 30
        238, 238, 238, 238, 238, 238, 238,
    };
    // clang-format on
    return kCharsets[row < kNationalLanguageCount ? row : 0];
}

NationalPlace NationalPlaceOf(u32 emulation)
{
    switch (emulation) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 23: return {NationalKind::Character, kValueVtUpss, kValueVtUpssFont, kValueAnsi386Page};
    case 4:
    case 5:
    case 21: return {NationalKind::Character, kValueAnsi386Upss, kValueVtUpssFont, kValueAnsi386Page};
    case 16: return {NationalKind::Character, kValueI51Upss, kValueI51UpssFont, kValueAnsi386Page};
    case 18: return {NationalKind::Hp, kValueHpUpss, kValueHpUpssFont, kNone};
    case 6: return {NationalKind::Ibm3270, kNone, kValueIbmFont, kValueIbmCodePage};
    case 7: return {NationalKind::Ibm5250, kNone, kValueI52Font, kNone};
    default:
        if (emulation >= 8 && emulation <= 15)
            return {NationalKind::Wyse, kNone, kValueWyUpssFont, kValueWyMultset};
        return {NationalKind::None, kNone, kNone, kNone};
    }
}

bool HasInternationalSettings(u32 emulation)
{
    return NationalPlaceOf(emulation).kind != NationalKind::None;
}

bool CodePageEnabled(NationalKind kind, u32 set)
{
    return kind == NationalKind::Wyse || (kind == NationalKind::Character && set == kSetAnsi);
}

i32 CodePageOfFileName(const WText& name)
{
    std::size_t at = WText::npos;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (FoldCase(name[i]) == 'M')
            at = i;
    if (at == WText::npos || at + 1 >= name.size() || name[at + 1] < '0' || name[at + 1] > '9')
        return -1;
    i32 page = 0;
    for (std::size_t i = at + 1; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        page = page * 10 + (name[i] - '0');
        if (page > 0xFFFF)  // no code page has more digits; a longer run is no code page
            return -1;
    }
    return page;
}

std::vector<u32> CodePagesWithBothFiles(std::vector<u32> s2u, std::vector<u32> u2s)
{
    // Both lists are walked in ascending order: a directory need not list its files so.
    std::sort(s2u.begin(), s2u.end());
    s2u.erase(std::unique(s2u.begin(), s2u.end()), s2u.end());
    std::sort(u2s.begin(), u2s.end());
    std::vector<u32> both;
    std::size_t j = 0;
    for (u32 page : s2u) {
        while (j < u2s.size() && u2s[j] < page)
            ++j;
        if (j == u2s.size())
            break;
        if (u2s[j] == page)
            both.push_back(page);
    }
    return both;
}
