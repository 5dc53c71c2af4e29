#include "terminal/input/keyfilter.h"

#include "terminal/input/keyevents.h"

int KeyMessageFilter(MSG*)
{
    return 0;
}
bool KeyAutoRepeatEnabled()
{
    return true;
}
void HandleCharMessage(u32 character)
{
    QueueInputEvent(1, static_cast<u16>(character), 0);
}
void ClearPendingKeyState() {}
