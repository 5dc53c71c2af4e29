#include "terminal/input/bars/softbuttons.h"

#include "terminal/input/macros/keydefs.h"

namespace {
bool LevelInRange(int level)
{
    return level >= 1 && level <= kSoftButtonLevels;
}

u32 LevelNameCode(int level)
{
    return static_cast<u32>((level - 1) * kSoftButtonSlots + kLevelNameSlot);
}
}  // namespace

int SoftButtonCode(int number, int level)
{
    if (number < 1 || number > kSoftButtonsPerLevel || !LevelInRange(level))
        return -1;
    // The level's name sits in slot 7, between buttons 6 and 7.
    const int slot = number < kLevelNameSlot ? number : number + 1;
    return (level - 1) * kSoftButtonSlots + slot;
}

int SoftButtonNumber(int code)
{
    if (code < 0 || code >= kSoftButtonLevels * kSoftButtonSlots)
        return 0;
    const int slot = code % kSoftButtonSlots;
    if (slot == 0 || slot == kLevelNameSlot)
        return 0;
    return slot < kLevelNameSlot ? slot : slot - 1;
}

int SoftButtonLevel(int code)
{
    return SoftButtonNumber(code) ? code / kSoftButtonSlots + 1 : 0;
}

void GetSoftButtonLevelName(int level, wchar16* name)
{
    name[0] = 0;
    if (!LevelInRange(level))
        return;
    KeyDefinitionsLock locked;
    const KeyDefinition* d = FindKeyDefinition(LevelNameCode(level), kSoftButton, -1);
    if (!d || !d->label)
        return;
    int n = 0;
    for (; n < kSoftButtonLabelUnits - 1 && d->label[n]; ++n)
        name[n] = d->label[n];
    name[n] = 0;
}

void SetSoftButtonLevelName(int level, const wchar16* name)
{
    if (!LevelInRange(level))
        return;
    KeyDefinitionsLock locked;
    if (KeyDefinition* old = FindKeyDefinition(LevelNameCode(level), kSoftButton, -1))
        DeleteKeyDefinition(old);
    if (!name || !name[0])
        return;
    wchar16 label[kSoftButtonLabelUnits] = {};
    for (int n = 0; n < kSoftButtonLabelUnits - 1 && name[n]; ++n)
        label[n] = name[n];
    const wchar16 none = 0;
    AddKeyDefinition(LevelNameCode(level), 0, kSoftButton, 0, 0, &none, label);
}
