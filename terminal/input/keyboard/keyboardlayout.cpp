// The keyboard layout decides the national keyboard type, its name and which keypad
// key gives the decimal separator.
#include "terminal/core/base/startopts.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/hexparse.h"
#include "terminal/core/base/win32.h"

namespace {

constexpr i32 kAnySub = -1;

struct KeyboardRow {
    u32 primary;
    i32 sub;  // the sublanguage it applies to, kAnySub for every other
    u32 index, nameId, national, comma;
};

// First match wins: a primary language's specific sublanguages come before its
// catch-all row. Languages without a row are North American.
// clang-format off
constexpr KeyboardRow kKeyboardRows[] = {
    {2, kAnySub, 30, 1361, 0, 0},   // Bulgarian
    {4, 1, 19, 1361, 0, 0},         // Chinese
    {4, 2, 18, 1361, 0, 0},
    {4, kAnySub, 0, 1361, 0, 0},
    {5, kAnySub, 26, 1361, 0, 1},   // Czech
    {6, kAnySub, 4, 1365, 1, 1},    // Danish
    {7, 1, 6, 1367, 1, 1},          // German
    {7, 3, 6, 1367, 1, 1},
    {7, 2, 10, 1371, 1, 0},         // Swiss German
    {7, kAnySub, 6, 1367, 0, 0},
    {8, kAnySub, 22, 1361, 0, 0},   // Greek
    {9, 2, 1, 1362, 1, 0},          // British
    {9, 6, 1, 1362, 1, 0},
    {9, kAnySub, 0, 1361, 1, 0},    // English
    {10, 1, 14, 1375, 1, 0},        // Spanish
    {10, kAnySub, 14, 1375, 0, 0},
    {11, kAnySub, 5, 1366, 1, 1},   // Finnish
    {12, 3, 3, 1364, 1, 0},         // Canadian French
    {12, 4, 9, 1370, 1, 0},         // Swiss French
    {12, 1, 13, 1374, 1, 0},        // French and Belgian
    {12, 2, 13, 1374, 1, 0},
    {12, kAnySub, 13, 1374, 0, 0},
    {13, kAnySub, 20, 1361, 0, 0},  // Hebrew
    {14, kAnySub, 33, 1361, 0, 0},  // Hungarian
    {15, kAnySub, 29, 1361, 0, 1},  // Icelandic
    {16, 1, 8, 1369, 1, 0},         // Italian (comma: see below)
    {16, kAnySub, 8, 1369, 0, 0},
    {17, kAnySub, 16, 1361, 0, 0},  // Japanese
    {18, kAnySub, 17, 1361, 0, 0},  // Korean
    {19, 1, 7, 1368, 1, 1},         // Dutch
    {19, kAnySub, 2, 1363, 1, 0},   // Flemish
    {20, kAnySub, 12, 1373, 1, 1},  // Norwegian
    {21, kAnySub, 28, 1361, 0, 0},  // Polish
    {22, 1, 15, 1376, 0, 1},        // Portuguese
    {22, kAnySub, 15, 1376, 1, 1},
    {24, kAnySub, 34, 1361, 0, 0},  // Romanian
    {25, kAnySub, 25, 1361, 0, 0},  // Russian
    {26, 2, 35, 1361, 0, 0},        // Serbian
    {26, 3, 35, 1361, 0, 0},
    {26, kAnySub, 32, 1361, 0, 1},  // Croatian
    {27, kAnySub, 27, 1361, 0, 0},  // Slovak
    {29, kAnySub, 11, 1372, 1, 1},  // Swedish
    {30, kAnySub, 21, 1361, 0, 0},  // Thai
    {31, kAnySub, 24, 1361, 0, 1},  // Turkish
    {36, kAnySub, 36, 1361, 0, 0},  // Slovenian
    {47, kAnySub, 31, 1361, 0, 0},  // Macedonian
};
// clang-format on

}  // namespace

KeyboardLanguage KeyboardLanguageFor(u32 code)
{
    const u32 primary = code & 0x3FF;
    const i32 sub = static_cast<i32>((code >> 10) & 0x3F);
    for (const KeyboardRow& row : kKeyboardRows) {
        if (row.primary != primary || (row.sub != kAnySub && row.sub != sub))
            continue;
        KeyboardLanguage result{row.index, row.nameId, row.national, row.comma};
        // The Italian layout variant marked in bits 16-19 types a comma on the keypad.
        if (primary == 16 && sub == 1)
            result.comma = ((code >> 16) & 0xF) == 1;
        return result;
    }
    return {0, 1361, 0, 0};
}

void ReadKeyboardLayout()
{
    StartupOptionValues& o = StartupOptions;
    wchar_t name[KL_NAMELENGTH] = {};
    o.keyboardLayoutCode = 0x400;
    if (GetKeyboardLayoutNameW(name)) {
        int length = 0;
        const i64 value = ParseHexString(name, &length);
        if (value >= 0)
            o.keyboardLayoutCode = static_cast<u32>(value);
    }
    const KeyboardLanguage language = KeyboardLanguageFor(o.keyboardLayoutCode);
    o.keyboardTypeIndex = language.index;
    KeyboardTypeIndex = static_cast<u8>(language.index);
    o.nationalKeyboard = language.national;
    o.keyboardNameId = language.nameId;
    o.keyboardModelCode = 4;
    // SetDecimalKeyCharacter: the keypad's decimal key follows the national habit.
    o.decimalKeyChar = language.comma ? ',' : '.';
    o.otherSeparatorChar = language.comma ? '.' : ',';
}
