#include "terminal/emulations/hp700/terminaltype.h"

u8 HpModel = 1;

int HpTerminalTypeName(char* buffer, int capacity)
{
    static const char* const kNames[5] = {"HP2392A", "HP70092", "HP2622A", "HP70094", "HP70096"};
    if (!buffer || capacity < 1)
        return 0;
    const char* name = kNames[HpModel < 5 ? HpModel : 2];
    int n = 0;
    for (; name[n] && n + 1 < capacity; ++n)
        buffer[n] = name[n];
    buffer[n] = 0;
    return n;
}
