// The host's key definitions (DECUDK, ESC ! and ESC @, the PC key programming) and host
// macros. Until they are stored, each definition is read to its end, so that its text
// never reaches the screen, and kept nowhere.
#include "terminal/emulations/dec/controlstring.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtparts.h"

namespace {

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

// DECUDK cannot lock the keys until it stores definitions.
bool UserDefinedKeysLocked()
{
    return false;
}

int HostMacroBytesInUse()
{
    return 0;
}
