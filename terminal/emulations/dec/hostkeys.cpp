// User-defined keys, host key strings and host macros. Until the key-definition list
// and the macro store exist, the host's definitions are read to their end (so their
// text never reaches the screen) and kept nowhere.
#include "terminal/emulations/dec/controlstring.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtparts.h"

namespace {
u8 g_keysLocked = 0;

// ESC ! / ESC @: a key letter, a delimiter, then text up to the delimiter again.
void ReadHostKeyString()
{
    const int letter = NextSequenceByte();
    const int low = letter | 0x20;
    if (letter == 0 || low < 'a' || low > 'o')
        return;
    const int delimiter = ReadStringByte();
    if (delimiter == kStringEnd)
        return;
    for (int n = 0; n < 254; ++n) {
        const int b = ReadStringByte();
        if (b == kStringEnd || b == delimiter)
            return;
    }
}
}  // namespace

void DefineHostKeyStringType2()
{
    ReadHostKeyString();
}

void DefineHostKeyStringType0()
{
    ReadHostKeyString();
}

void ClearUserDefinedKeys()
{
    g_keysLocked = 0;
}

void DefineUserKeys()
{
    SkipControlString();
}

void DefineMacro()
{
    SkipControlString();
}

void InvokeMacro() {}

void LoadFunctionKeyDefinitions()
{
    SkipControlString();
}

void LoadAlphanumericKeyDefinitions()
{
    SkipControlString();
}

bool UserDefinedKeysLocked()
{
    return g_keysLocked != 0;
}

int HostMacroBytesInUse()
{
    return 0;
}
