#include "terminal/core/emuhooks.h"

EmulationActiveFlagSet EmulationActiveFlags;

FamilyHooks& HooksOf(HookFamily family)
{
    static FamilyHooks hooks[static_cast<int>(HookFamily::Count)];
    return hooks[static_cast<int>(family)];
}
