#include "terminal/input/keyfilter.h"

int KeyMessageFilter(MSG*)
{
    return 0;
}
bool KeyAutoRepeatEnabled()
{
    return true;
}
void HandleCharMessage(u32) {}
void ClearPendingKeyState() {}
