#include "terminal/core/dialogs.h"

bool ConfirmClose()
{
    return true;
}
