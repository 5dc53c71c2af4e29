// The TA6530 and DG emulations are not built yet and are never active: their keys
// have nothing to act on and received bytes pass unchanged.
#include "terminal/emulations/ta6530-dg/keyservices.h"

int DgFilterReceivedByte(int, int byte)
{
    return byte;
}

void DgKeyHandler(int, int) {}
void Ta6530Keyboard(int, int) {}
void Ta6530ShowNumLockField() {}
void Ta6530RepaintStatusRow() {}
