#include "terminal/core/instances.h"

void InitProfileSelection() {}
void RegisterSessionSlots() {}
void CloseAllSessions() {}
