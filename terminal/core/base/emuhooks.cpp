#include "terminal/core/base/emuhooks.h"

EmulationActiveFlagSet EmulationActiveFlags;

FamilyHooks& HooksOf(HookFamily family)
{
    static FamilyHooks hooks[static_cast<int>(HookFamily::Count)];
    return hooks[static_cast<int>(family)];
}

bool FamilyActive(HookFamily family)
{
    const EmulationActiveFlagSet& f = EmulationActiveFlags;
    switch (family) {
    case HookFamily::Hp: return f.hp != 0;
    case HookFamily::Dg: return f.dg != 0;
    case HookFamily::Ta6530: return f.ta6530 != 0;
    case HookFamily::Ibm3270: return f.ibm3270 != 0;
    case HookFamily::Ibm3151: return f.ibm3151 != 0;
    case HookFamily::Tvi: return f.tvi != 0;
    case HookFamily::Wyse: return f.wyse != 0;
    case HookFamily::Ibm5250: return f.ibm5250 != 0;
    case HookFamily::AnsiConsole: return f.ansiConsole != 0;
    case HookFamily::Aixterm: return f.aixterm > 0;
    default: return false;
    }
}

HookFamily FirstActiveFamily(std::initializer_list<HookFamily> order)
{
    for (HookFamily family : order)
        if (FamilyActive(family))
            return family;
    return HookFamily::Count;
}
