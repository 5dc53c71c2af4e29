// The TA6530 keyboard: the program's key numbers turned into function-key codes and
// editing sequences. Editing keys type an escape sequence back into the keyboard input,
// so that in the block modes the page is edited by the same commands the host uses; in
// conversational and ANSI modes the sequence goes to the host as typed input.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The TA6530 keys' names in the key-name table, which the macro editor offers.
constexpr u32 kTaFirstKeyName = 13249, kTaLastKeyName = 13306;

// The key dispatcher's call for one key and its shift state.
void Ta6530Keyboard(int keyCode, int shift);
// A function key: sent at once in conversational and ANSI modes, held for the next poll
// in the block modes (ESC d too).
void TaSendFunctionKey(u8 code);
// A typed character in the TA6530's host character set, -1 when it has none.
int TaTranslateTypedChar(int c);
// The keyboard refuses keys while it is locked or no page is shown (the bell rings).
bool TaKeysRefused();
