#include "terminal/emulations/hp700/keys/keytable.h"

namespace {

constexpr int T(char c)
{
    return kHpKeyTyped + static_cast<u8>(c);
}
constexpr int X = kHpKeyNone;

// A PC key's HP keys: alone, with Shift, with Ctrl. Alt leaves every key to Windows.
struct KeyRow {
    u8 code;
    int plain, shift, ctrl;
};

// The function keys carry the HP's f1..f8 and, shifted, the keys of the HP's top row
// that a PC keyboard has no room for; the editing pad is the HP's editing pad, Ctrl
// giving the wraparound forms and the second Home keys.
// clang-format off
constexpr KeyRow kKeys[] = {
    {68,  kHpKeyF1,        kHpKeyInsertLine,    kHpKeyInsertLine},     // F1
    {69,  kHpKeyF1 + 1,    kHpKeyDeleteLine,    kHpKeyDeleteLine},
    {70,  kHpKeyF1 + 2,    kHpKeyClearLine,     kHpKeyClearLine},
    {71,  kHpKeyF1 + 3,    kHpKeyClearDisplay,  kHpKeyClearDisplay},
    {72,  kHpKeyF1 + 4,    kHpKeyEnter,         kHpKeyEnter},          // F5
    {73,  kHpKeyF1 + 5,    kHpKeyLabelRow,      X},
    {74,  kHpKeyF1 + 6,    kHpKeyReset,         X},
    {75,  kHpKeyF8,        kHpKeyHardReset,     X},
    {76,  kHpKeyMenu,      kHpKeyLabels,        X},                    // F9
    {77,  kHpKeyUserKeys,  kHpKeyUserKeyScreen, X},
    {78,  kHpKeyModes,     kHpKeyModes2,        X},
    {79,  kHpKeyWidth,     X,                   X},                    // F12
    {83,  kHpKeyInsertChar, X,                  kHpKeyInsertCharWrap}, // Insert
    {84,  kHpKeyHomeUp,    X,                   kHpKeyHomeUp2},        // Home
    {85,  kHpKeyPrevPage,  X,                   X},                    // Page Up
    {86,  kHpKeyDeleteChar, X,                  kHpKeyDeleteCharWrap}, // Delete
    {87,  kHpKeyHomeDown,  X,                   kHpKeyHomeDown2},      // End
    {88,  kHpKeyNextPage,  X,                   X},                    // Page Down
    {89,  kHpKeyUp,        kHpKeyRollUp,        X},
    {90,  kHpKeyLeft,      X,                   X},
    {91,  kHpKeyDown,      kHpKeyRollDown,      X},
    {92,  kHpKeyRight,     X,                   X},
    {94,  T('/'),          T('/'),              X},
    {95,  T('*'),          T('*'),              X},
    {96,  T('-'),          T('-'),              X},
    {97,  T('0'),          T('0'),              X},                    // keypad 0
    {98,  T('1'),          T('1'),              X},
    {99,  T('2'),          T('2'),              X},
    {100, T('3'),          T('3'),              X},
    {101, T('4'),          T('4'),              X},
    {102, T('5'),          T('5'),              X},
    {103, T('6'),          T('6'),              X},
    {104, T('7'),          T('7'),              X},
    {105, T('8'),          T('8'),              X},
    {106, T('9'),          T('9'),              X},                    // keypad 9
    {107, T('-'),          T('-'),              X},                    // keypad - (122 keys)
    {108, kHpKeyPadSeparator, kHpKeyPadSeparator, X},
    {109, kHpKeyPadDecimal, kHpKeyPadDecimal,   X},
    {110, T('+'),          T('+'),              X},
    {111, kHpKeyPadEnter,  kHpKeyPadEnter,      kHpKeyPadEnter},       // keypad Enter
    {112, kHpKeyBackspace, kHpKeyBackspace,     X},
    {113, kHpKeyEscape,    kHpKeyEscape,        X},
    {114, kHpKeyReturn,    kHpKeyReturn,        kHpKeyReturn},
    {115, kHpKeyTab,       kHpKeyBackTab,       X},
};
// clang-format on

}  // namespace

int Hp700KeyFor(int keyCode, int shift)
{
    if (shift & 4)
        return kHpKeyNone;
    for (const KeyRow& row : kKeys) {
        if (row.code != keyCode)
            continue;
        if (shift & 2)
            return row.ctrl;
        return (shift & 1) ? row.shift : row.plain;
    }
    return kHpKeyNone;
}
