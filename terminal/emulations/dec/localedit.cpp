// Local editing and block transmission. Until they are built, their host commands
// change nothing.
#include "terminal/emulations/dec/vtparts.h"

void TransmitEditBlock() {}
void StartSelectedArea() {}
void EndSelectedArea() {}
void StartProtectedArea() {}
void EndProtectedArea() {}
void LocalEditFieldCommand() {}
void SetBlockEndOfLineString() {}

int LocalEditAttributeSet()
{
    return 0;
}
