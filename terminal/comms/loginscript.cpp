#include "terminal/comms/loginscript.h"

void SetLoginScriptPriority(int) {}
void StopLoginScript() {}
