// The program's own numbers for special keys (key codes) and the shift state that
// travels with them. The keyboard filter makes them from Windows virtual keys on the
// user-interface thread; the key dispatcher and the emulations' keyboards read them on
// the host-data thread. Pure rules over the emulation in use and the key settings.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// Shift state bits.
constexpr u32 kShiftBit = 1, kCtrlBit = 2, kAltBit = 4;

// Key codes with a name of their own (the others are runs: F1-F12 68-79, the editing
// pad 83-88, the cursor keys 89-92, keypad 0-9 97-106, F13-F20 151-158).
enum KeyCode : int {
    kKeyNone = 0,
    kKeyC = 67,  // Alt+C arms the compose key
    kKeyF1 = 68,
    kKeyF5 = 72,
    kKeyF6 = 73,
    kKeyF11 = 78,
    kKeyF12 = 79,
    kKeyPrintScreen = 80,
    kKeyScrollLock = 81,
    kKeyPause = 82,
    kKeyEditPad = 83,  // 83-85 the top row, 86-88 the bottom row
    kKeyUp = 89,
    kKeyLeft = 90,
    kKeyDown = 91,
    kKeyRight = 92,
    kKeyNumLock = 93,
    kKeyPadSlash = 94,
    kKeyPadStar = 95,
    kKeyPadMinus = 96,
    kKeyPad0 = 97,
    kKeyPadMinus122 = 107,  // keypad - of the 122-key keyboard
    kKeyPadPeriod = 109,
    kKeyPadPlus = 110,
    kKeyPadEnter = 111,  // keypad separator
    kKeyBackspace = 112,
    kKeyEscape = 113,
    kKeyReturn = 114,
    kKeyTab = 115,
    kKeyCopy = 116,
    kKeyPaste = 117,
    kKeyHome = 125,
    kKeyDelete = 126,
    kKeyCompose = 127,
    kKeyA = 137,  // Alt+A of the Wyse keyboards
    kKeyBreak = 136,
    kKeyF13 = 151,
    kKeyDo1324 = 1324,  // the DEC Do and keypad Enter key numbers of key definitions
    kKeyDo1325 = 1325,
};

// The keyboard type: 122 is the 122-key host keyboard; 450 a keyboard on which Alt with
// the first host PF key toggles the DEC key mode. Every other value is a PC keyboard.
constexpr u32 kKeyboard122 = 122;
constexpr u32 kKeyboard450 = 450;
extern std::atomic<u32> KeyboardType;

// Shift state of the last key message (Shift 1, Ctrl 2, Alt 4), kept by the filter.
extern std::atomic<u32> ShiftState;
// Caps Lock and Num Lock: 1 while toggled on.
extern std::atomic<u32> CapsLockState;
extern std::atomic<u32> NumLockState;

// What the keypad's decimal and separator keys type (swapped for keyboard languages that
// write a decimal comma).
extern std::atomic<u16> KeypadDecimalChar;
extern std::atomic<u16> KeypadSeparatorChar;

// Pseudo virtual keys C2-CB that stand for the navigation keys (editing pad 83-88 by
// position, then Up, Left, Down, Right).
constexpr int kVkEditPadFirst = 0xC2;
constexpr int kVkCursorUp = 0xC8, kVkCursorLeft = 0xC9, kVkCursorDown = 0xCA, kVkCursorRight = 0xCB;

// The key code of a virtual key (after the navigation-key substitution), 0 for a key
// that is an ordinary character or has no number.
int VirtualKeyToKeyCode(int virtualKey);

// The pseudo virtual key that replaces a navigation key, or the key itself when it
// stays. `altHeld` turns Pause into Ctrl+Break.
int SubstituteNavigationVirtualKey(int virtualKey, bool altHeld);

// With the shift state exactly Ctrl in a VT emulation, the control code of a digit key
// ('2' NUL, '3'-'7' ESC to US, '8' DEL); else -1.
int CtrlDigitControlCode(int virtualKey, u32 shift);

// The key table: {virtual key, key code, key position} by place on the PC keyboard,
// searched from the top, first match wins. Rows of plain keys (virtual key equal to
// key code, below 256: letters, digits, punctuation, modifiers) are skipped when
// searching by key code and from virtual key to key code. A miss gives -1 (0 for a
// key code: no special key).
int KeyPositionToVirtualKey(int position);
int VirtualKeyToKeyPosition(int virtualKey);
int KeyCodeToKeyPosition(int keyCode);
int VirtualKeyToKeyCodeByTable(int virtualKey);
int KeyCodeToVirtualKey(int keyCode);

// Keyboard-language string ids 1361-1376 as 0-15; else 0.
int GetKeyboardLanguageIndex(int stringId);

// The running family uses every key of the 122-key host keyboard (the block-mode
// hosts do).
bool FamilyUsesHostKeyboard();
// The 122-key host keyboard with such a family running (or one that uses some of its
// keys, when asked): only then do its extra keys have numbers.
bool HostKeyboardActive(bool alsoSomeKeys);
