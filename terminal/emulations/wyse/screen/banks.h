// The character-bank commands of ESC c: bank sizes and fonts, clearing, down-loaded
// characters, the two bank selectors and the active bank. Each answers ACK.
#pragma once

void WyseSelectBankSize();
void WyseClearBank();
void WyseSelectBankFont();
void WyseBankCommand();
void WyseDefineGlyph();
void WyseSetBankSelector(int selector);
void WyseSelectActiveBank(int selector);
// Two hexadecimal digits: the byte, or -1 with `valid` cleared for another character;
// EM is given back and ends the command (-2).
int WyseReadHexByte(bool& valid);
