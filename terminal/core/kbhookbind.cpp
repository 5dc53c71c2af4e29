#include "terminal/core/kbhookbind.h"

void BindKeyboardHook() {}
void SuspendNumLockProtection() {}
void RearmNumLockProtection() {}
u32 SetPreventNumLockToggle(u32)
{
    return 0;
}
void FreeKeyboardHook() {}
