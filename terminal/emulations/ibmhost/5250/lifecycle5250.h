// The 5250 session record's life: filled for the configured model, rebuilt for a new
// connection or telnet mode, emptied when the emulation stops; its host code page.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// The device code of a model (7 characters: "3179002" ...), for the query reply.
const char* I5250DeviceCode(int model);
// Fills a record for the configured model; false when memory ran out (the user has been
// told and the program asked to end).
bool I5250InitSession(I5250Session* s);
// The same record again for a model (a new connection, the host named the type).
bool I5250ResetSession(I5250Session* s, int model);
// Frees what the record holds (the record itself stays).
void I5250FreeSession(I5250Session* s);
void I5250SetupCodePage(I5250Session* s);
// Clears the unit: the default (alternate false) or the alternate size, the cells, the
// indicators and the format table.
void I5250ClearUnit(I5250Session* s, bool alternate, bool repaintNow);
