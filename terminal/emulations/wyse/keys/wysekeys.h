// The Wyse keyboard: the program's key codes with their shift states become Wyse keys
// (numbers 256-290), their native sequences, single-byte application codes or user
// definitions, Ctrl and Alt layers with local commands, and the keypad.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kWyseFirstKey = 256;  // F1
constexpr int kWyseKeyF16 = 271;
constexpr int kWyseKeyEsc = 272, kWyseKeyTab = 273, kWyseKeyBackspace = 274, kWyseKeyDel = 275;
constexpr int kWyseKeyReturn = 276, kWyseKeyHome = 277, kWyseKeyUp = 278, kWyseKeyDown = 279;
constexpr int kWyseKeyLeft = 280, kWyseKeyRight = 281, kWyseKeyEnter = 282, kWyseKeyInsert = 283;
constexpr int kWyseKeyPageDown = 284, kWyseKeyDelete = 285, kWyseKeyPrint = 286, kWyseKeyEnd = 287;
constexpr int kWyseKeyPageUp = 288, kWyseKeyKeypad5 = 289, kWyseKeyEighthBit = 290;
constexpr int kWyseLastKey = 290;
constexpr int kWyseKeyTextUnits = 64;
// The Wyse names in the macro key-name table ("WY_F1" ... "WY_DELETEWORD").
constexpr u32 kWyseFirstKeyName = 13419, kWyseLastKeyName = 13496;

// The family's key handler for a key event with its shift state (0 none, 1 Shift,
// 2 Ctrl, 3 Ctrl+Shift, 4-7 with Alt).
void WyseKeyFunction(int keyCode, int shift);
// Sends one Wyse key (its definition, application code or native sequence).
void WyseSendKey(int number, int shifted);
// SOH, the character, CR.
void WyseSendFunctionCode(int character);
// ENQ and the Shift+Pause key.
void WyseSendAnswerback();
// The Wyse key a byte of ESC Z names, -1 for none; `shifted` tells the shifted form.
int WyseKeyOfByte(int byte, int* shifted);
// The key-definition code of a Wyse key.
inline u32 WyseKeyCode(int number, int shifted)
{
    return static_cast<u32>(number * 5 + (shifted ? 1 : 0));
}
// A host's definition of a Wyse key (send type 0-2; an empty text only removes it).
void WyseDefineKey(int number, int shifted, int sendType, const wchar16* text, int length);
