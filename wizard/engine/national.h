// What the international settings dialog works from, as data and small rules: the IBM
// national-language table, the row and national variant a keyboard layout gives, the
// preferred character set and the font character set a row or set implies, which of the
// dialog's parts an emulation shows and where it keeps them, and the code pages that
// have both conversion files.
#pragma once

#include <vector>

#include "wizard/engine/profilevalues.h"

// One row of the IBM national-language table.
struct NationalLanguage {
    const char* keyboardType;  // the 5250's KBDTYPE
    u16 doubleBytePage;        // 0 for a single-byte language
    u16 charset5250, codePage5250;
    u16 codePage3270, charset3270, ccsid3270;
};
constexpr int kNationalLanguageCount = 37;
// Row 0 is "English (US)"; a row out of range gives row 0.
const NationalLanguage& NationalLanguageAt(u32 row);

struct LayoutLanguage {
    u32 row;        // of the national-language table, from 0
    bool national;  // the language has a national variant: the mode list is offered
};
// By primary language (low 10 bits of a language identifier) and sub-language.
LayoutLanguage LanguageOfIds(u32 primary, u32 subLanguage);
// By a keyboard layout's name as the system gives it ("00000409"); null when the system
// gave none.
LayoutLanguage LanguageOfLayoutName(const wchar16* name);

// The preferred character sets by their stored numbers (strings 1571-1582).
constexpr u32 kSetDecMcs = 0, kSetLatin1 = 1, kSetHpRoman8 = 2, kSetLatin2 = 3, kSetAnsi = 4, kSetLatin5 = 6,
              kSetCyrillic = 7, kSetGreek = 10, kSetHebrew = 11, kSetCount = 12;
constexpr u32 kFirstSetString = 1571;
// The set a layout's row suggests when none is chosen.
u32 SuggestedCharacterSet(u32 row);
// The font character set (LOGFONT lfCharSet) the font list shows for a preferred set, and
// for an IBM emulation's language row.
u8 FontCharsetOfSet(u32 set);
u8 FontCharsetOfRow(u32 row);

// The dialog's parts for an emulation and the values it edits (kWizardValueCount: none).
enum class NationalKind : u8 { None, Character, Hp, Wyse, Ibm3270, Ibm5250 };
struct NationalPlace {
    NationalKind kind;
    WizardValueId set, font, codePage;
};
NationalPlace NationalPlaceOf(u32 emulation);
// The emulations whose page shows "&International Settings".
bool HasInternationalSettings(u32 emulation);
// The code-page list offers "Ansi"-only pages for the character emulations: enabled while
// the preferred set is "Ansi"; always for the Wyse family.
bool CodePageEnabled(NationalKind kind, u32 set);

// The code page a conversion file's name gives ("IBM00037.S2U" gives 37): the number
// after the last "M" of the upper-cased name; -1 when no digit follows it.
i32 CodePageOfFileName(const WText& name);
// The code pages of `s2u` that `u2s` also holds, in ascending order, each once.
std::vector<u32> CodePagesWithBothFiles(std::vector<u32> s2u, std::vector<u32> u2s);
