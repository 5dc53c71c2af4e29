#include "terminal/emulations/ibmhost/services.h"

bool IbmHostWindowTakesKeys()
{
    return false;
}
bool HostDialogTakesMessage(MSG*)
{
    return false;
}
void CreateHostPrinterWindow(LPARAM) {}
void DestroyHostPrinterWindow(LPARAM) {}
