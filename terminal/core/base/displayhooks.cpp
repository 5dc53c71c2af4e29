#include "terminal/core/base/displayhooks.h"

FamilyDisplayHooks& DisplayHooksOf(HookFamily family)
{
    static FamilyDisplayHooks hooks[static_cast<int>(HookFamily::Count)];
    return hooks[static_cast<int>(family)];
}
