#include "terminal/emulations/dec/keys/keymodes.h"

#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/dec/keys/keysequences.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/settings/store/profilevalues.h"

bool CursorKeysApplication()
{
    return Vt300Values.curskeyapp != 0;
}

bool KeypadApplication()
{
    return Vt300Values.kpadmode != 0;
}

bool DecKeyModeOn()
{
    return Vt300Values.DecKeyMode != 0;
}

void SetDecKeyMode(bool on)
{
    Vt300Values.DecKeyMode = on ? 1 : 0;
    ShowDecKeyModeField(on);
}

bool BackarrowSendsBackspace()
{
    return Vt300Values.barkmode != 0;
}

int Vt420FunctionKeyMode(int n)
{
    return n >= 0 && n < 4 ? DecModes.localFunctionKey[n] : 0;
}

int Vt420CursorPanMode()
{
    return Vt420ViewMode();
}

namespace {

// The DEC key number each entry answers to (0: no key), the hexadecimal digits of the
// host's key selector read as a number.
// clang-format off
constexpr u8 kUserDefinedKeyNumbers[kUserDefinedKeyCount] = {
    0x42, 0x51, 0x52, 0x53, 0x54, 0x37, 0x38, 0x39, 0x40, 0x41, 0x43, 0x44,
    0, 0, 0, 0, 0, 0, 0, 0,
    0x22, 0x31, 0x32, 0x33, 0x34, 0x17, 0x18, 0x19, 0x20, 0x21, 0x23, 0x24,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x50, 0x55, 0x56, 0x58, 0x47, 0x59, 0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x68,
    0x27, 0x01, 0x02, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x10, 0x11, 0x12, 0x15,
};
// clang-format on
static_assert(kUserDefinedKeyCount == kUdkKeys, "one key number per key of the table");

bool IsBuiltInText(int entry)
{
    const KeySequenceEntry& key = KeySequenceTable.keys[entry];
    const char* builtIn = entry < kVtDefaultKeyCount ? kVtDefaultKeyStrings[entry] : "";
    int n = 0;
    for (; builtIn[n]; ++n)
        if (n >= key.length || key.text[n] != static_cast<u8>(builtIn[n]))
            return false;
    return n == key.length;
}

UserDefinedKey EntryText(int entry)
{
    const KeySequenceEntry& key = KeySequenceTable.keys[entry];
    return {key.text, key.length, key.local};
}

}  // namespace

int FindUserDefinedKey(int keyNumber)
{
    if (keyNumber <= 0)
        return -1;
    for (int i = 0; i < kUserDefinedKeyCount; ++i)
        if (kUserDefinedKeyNumbers[i] == keyNumber && UserDefinedKeyEntry(i).length > 0)
            return i;
    return -1;
}

int UserDefinedKeyIndex(int keyNumber)
{
    if (keyNumber <= 0)
        return -1;
    for (int i = 0; i < kUserDefinedKeyCount; ++i)
        if (kUserDefinedKeyNumbers[i] == keyNumber)
            return i;
    return -1;
}

UserDefinedKey UserDefinedKeyEntry(int entry)
{
    if (entry < 0 || entry >= kUserDefinedKeyCount || KeySequenceTable.keys[entry].length == 0 ||
        !KeySequenceTable.keys[entry].text || IsBuiltInText(entry))
        return {nullptr, 0, 0};
    return EntryText(entry);
}

UserDefinedKey DefaultKeySlotText(int slot)
{
    if (slot < 0 || slot >= kVtDefaultKeyCount || !KeySequenceTable.keys[slot].text)
        return {nullptr, 0, 0};
    return EntryText(slot);
}
