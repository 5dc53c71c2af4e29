#include "terminal/comms/loginscript.h"

// No login script can run yet.
void SetLoginScriptPriority(int) {}
void StartLoginScript() {}
void StopLoginScript() {}
bool LoginScriptRunning()
{
    return false;
}
void NotifyLoginScriptState() {}
void MatchLoginScriptText(int) {}
