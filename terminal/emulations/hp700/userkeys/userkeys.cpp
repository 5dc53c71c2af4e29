#include "terminal/emulations/hp700/userkeys/userkeys.h"

void Hp700UserKeyDefine(const Hp700GroupParameters&) {}
void Hp700UserKeyScreen() {}
void Hp700ConfigScreenChar(u8) {}
void Hp700DefaultUserKeyLines() {}
bool Hp700SendKeyTransmission()
{
    return false;
}
void Hp700SendUserKeyDefinitions() {}
