#include "terminal/core/screenstore.h"

int AllocScreenStore()
{
    return 1;
}

int AllocInputQueues()
{
    return 1;
}
