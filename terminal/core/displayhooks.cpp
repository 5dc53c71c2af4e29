#include "terminal/core/displayhooks.h"

namespace {
bool Active(HookFamily family)
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
    default: return false;
    }
}
}  // namespace

FamilyDisplayHooks& DisplayHooksOf(HookFamily family)
{
    static FamilyDisplayHooks hooks[static_cast<int>(HookFamily::Count)];
    return hooks[static_cast<int>(family)];
}

HookFamily FirstActiveFamily(std::initializer_list<HookFamily> order)
{
    for (HookFamily family : order)
        if (Active(family))
            return family;
    return HookFamily::Count;
}
