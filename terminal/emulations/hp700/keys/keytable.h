// The PC keyboard as the HP 700/92's: the program's key codes, with their shift state,
// to the HP keys they stand for.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The HP keys. 0..7 are the function keys f1..f8; the numbers up to 44 are the HP's own
// key numbers, the rest name the keys that have none.
enum HpKey : int {
    kHpKeyNone = -1,
    kHpKeyF1 = 0,
    kHpKeyF8 = 7,
    kHpKeyMenu = 8,
    kHpKeyUserKeys = 9,
    kHpKeyModes = 10,
    kHpKeyWidth = 11,  // 80/132
    kHpKeyInsertLine = 15,
    kHpKeyDeleteLine = 16,
    kHpKeyClearLine = 17,
    kHpKeyClearDisplay = 18,
    kHpKeyEnter = 19,
    kHpKeyLabelRow = 20,  // the label row shown or hidden
    kHpKeyReset = 21,
    kHpKeyHardReset = 22,
    kHpKeyLabels = 23,
    kHpKeyUserKeyScreen = 24,
    kHpKeyModes2 = 25,
    kHpKeyInsertChar = 30,
    kHpKeyHomeUp = 31,
    kHpKeyPrevPage = 32,
    kHpKeyDeleteChar = 33,
    kHpKeyHomeDown = 34,
    kHpKeyNextPage = 35,
    kHpKeyInsertCharWrap = 40,
    kHpKeyHomeUp2 = 41,
    kHpKeyDeleteCharWrap = 43,
    kHpKeyHomeDown2 = 44,
    kHpKeyUp = 50,
    kHpKeyDown,
    kHpKeyRight,
    kHpKeyLeft,
    kHpKeyRollUp,
    kHpKeyRollDown,
    kHpKeyBackTab,
    kHpKeyTab,
    kHpKeyReturn,
    kHpKeyBackspace,
    kHpKeyEscape,
    kHpKeyPadEnter,
    kHpKeyPadDecimal,    // the keypad's point: the configured decimal character
    kHpKeyPadSeparator,  // the keypad's comma: the other one
    kHpKeyTyped = 1000,  // 1000 + c: the key types character c
};

// The HP key of program key code `keyCode` with shift state `shift` (Shift 1, Ctrl 2,
// Alt 4); kHpKeyNone for a key the HP keyboard has no use for.
int Hp700KeyFor(int keyCode, int shift);
