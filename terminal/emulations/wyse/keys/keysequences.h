// What the Wyse keys send and how: the native sequences by personality, the single-byte
// application codes, the keypad, and the rules that send a sequence to the host, push it
// back as host input (local edit, local commands) or keep it as typed input.
#pragma once

// The shift state of the key in progress (1 Shift, 2 Ctrl, 4 Alt).
int WyseStoredShift();
void WyseSetStoredShift(int state);

// A one- or two-byte editing sequence: to the host, or back as host input in local edit.
void WyseKeyByte(int byte);
void WyseKeySequence2(int first, int second);
// A local command: pushed back as host input (read in the order given).
void WyseLocalCommand3(int first, int second, int third);
void WyseLocalCommand2(int first, int second);
// CR, and NUL after it when "CR=CR/NULL" is on.
void WyseSendReturn();
// The native sequence of a Wyse key under a given shift state (the Ctrl layer).
void WyseEditingKey(int number, int state);
void WyseSendKeyDefault(int number, int shifted);
void WyseSendKeyAppl(int number, int shifted);
void WyseKeypadKey(int key);
