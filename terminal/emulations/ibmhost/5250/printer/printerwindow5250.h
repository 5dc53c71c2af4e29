// The 5250 printer session's status window on the user-interface thread.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// Makes the window of a printer session when it has none and shows the status lines;
// removes the window of a session that is no longer a printer.
void I5250UpdatePrinterWindow(I5250Session* s);
void I5250DestroyPrinterWindow(I5250Session* s);
