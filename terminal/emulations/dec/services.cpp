#include "terminal/emulations/dec/services.h"

int Vt420ViewMode()
{
    return 0;
}
