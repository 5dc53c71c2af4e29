#include "terminal/input/bars/toolbars.h"

int AllocKeyLabelBuffer()
{
    return 1;
}
int LoadKeyboardResources()
{
    return 1;
}
