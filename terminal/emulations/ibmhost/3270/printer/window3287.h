// The 3287's status window on the user-interface thread.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

// Makes the window of a printer session when it has none and shows the status log;
// removes the window of a session that is no longer a printer.
void I3270UpdatePrinterWindow(I3270Session* s);
void I3270DestroyPrinterWindow(I3270Session* s);
