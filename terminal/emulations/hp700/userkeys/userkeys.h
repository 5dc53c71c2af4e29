// The HP 700/92's user keys: their definitions (ESC & f), the definition screen
// (ESC j, the configuration menu) and their transmissions.
#pragma once

#include "terminal/emulations/hp700/hp700.h"

// ESC & f with its parsed groups; reads the label and string that follow itself.
void Hp700UserKeyDefine(const Hp700GroupParameters& groups);
// ESC j: the configuration menu with the definition screen.
void Hp700UserKeyScreen();
// A character for the definition screen while the configuration menu is up.
void Hp700ConfigScreenChar(u8 b);
// The user-key lines to their defaults.
void Hp700DefaultUserKeyLines();
// The queued key transmission (pending bit 5): sends it; false when there is none.
bool Hp700SendKeyTransmission();
// The definitions sent from the configuration screen (the Enter key or ESC d there).
void Hp700SendUserKeyDefinitions();
