#include "terminal/input/toolbars.h"

int AllocKeyLabelBuffer()
{
    return 1;
}
int LoadKeyboardResources()
{
    return 1;
}
