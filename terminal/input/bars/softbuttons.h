// Soft buttons as key definitions of their kind: four levels of fourteen codes, code =
// level x 14 + slot. Slot 0 is the level button and slot 7 carries the level's name;
// slots 1-6 and 8-13 are the buttons numbered 1-12 the user sees.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kSoftButtonLevels = 4;
constexpr int kSoftButtonSlots = 14;
constexpr int kSoftButtonsPerLevel = 12;
constexpr int kLevelNameSlot = 7;
constexpr int kSoftButtonLabelUnits = 10;  // a caption or a level name, terminator included

// The code of button `number` (1-12) on `level` (1-4); -1 outside those.
int SoftButtonCode(int number, int level);
// The button number (1-12) and level (1-4) of a code; 0 for the level button, the
// level-name slot and codes outside the levels.
int SoftButtonNumber(int code);
int SoftButtonLevel(int code);

// The name of `level` (1-4) into `name` (kSoftButtonLabelUnits); empty when it has none.
void GetSoftButtonLevelName(int level, wchar16* name);
// Replaces the level's name; an empty name removes it.
void SetSoftButtonLevelName(int level, const wchar16* name);
