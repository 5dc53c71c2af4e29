#include "terminal/comms/printing.h"

// No print mode can be switched on yet.
bool PrinterControllerOn()
{
    return false;
}
int CurrentPrintMode()
{
    return 0;
}
bool PrinterPortOpen()
{
    return false;
}
int PrinterPortReadByte()
{
    return -1;
}
void PrinterControllerFilter(u8) {}
bool AutoPrintOn()
{
    return false;
}
void PrintCursorLine() {}
int CheckPrinterAvailable()
{
    return 0;
}
void StartPrinterController() {}
void StartAutoPrint() {}
void StopPrinting() {}
void StartPassThroughPrint() {}
void StopPassThroughPrint() {}
bool PrintingInProgress()
{
    return false;
}
