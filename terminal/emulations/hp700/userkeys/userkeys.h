// The HP 700/92's user keys: their definitions (ESC & f), the definition screen
// (ESC j, the configuration menu) and their transmissions.
#pragma once

#include "terminal/emulations/hp700/hp700.h"

// Where the header line of a user key holds its parts.
constexpr int kHpKeyAttributeColumn = 3;
constexpr int kHpKeyLabelColumn1 = 12, kHpKeyLabelColumn2 = 21;
constexpr int kHpKeyLabelHalf = 8;
constexpr int kHpKeyStringUnits = 80;

// ESC & f with its parsed groups; reads the label and string that follow itself.
void Hp700UserKeyDefine(const Hp700GroupParameters& groups);
// ESC j: the configuration menu with the definition screen.
void Hp700UserKeyScreen();
// The definition screen gives the window back (leaving the configuration menu).
void Hp700LeaveConfigScreen();
// A character for the definition screen while the configuration menu is up.
void Hp700ConfigScreenChar(u8 b);
// Next Choice (+1) and Previous Choice (-1) on the attribute under the cursor.
void Hp700ConfigChoice(int direction);
// ESC K on the definition screen: the field under the cursor cleared.
void Hp700ConfigClearField();
// The user-key lines to their defaults.
void Hp700DefaultUserKeyLines();
// The backup copy taken (ESC & f 0 B, every settings load) or restored (ESC & f 1 B).
void Hp700BackupUserKeys();
void Hp700RestoreUserKeys();
// User key k (1..8) pressed.
void Hp700ExecuteUserKey(int k);
// A user key's parts: the attribute character ('N', 'L', 'T'), its string (Roman-8
// codes, up to 80; the length returned) and its label (16 units, blanks kept).
u8 Hp700UserKeyAttribute(int k);
int Hp700UserKeyString(int k, u8* out);
void Hp700UserKeyLabel(int k, u8 out[16]);
// The queued key transmission (pending bit 5): sends it; false when there is none.
bool Hp700SendKeyTransmission();
// The definitions sent from the configuration screen (the Enter key or ESC d there).
void Hp700SendUserKeyDefinitions();
