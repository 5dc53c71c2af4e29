// The 3270 models and their screen sizes, and the session record's set-up: filling it
// for a model, moving it to another model of its family, and its code pages.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

// Default and alternate rows x columns (buffer size) of a model.
void I3270ModelGeometry(int model, I3270Geometry& defaults, I3270Geometry& alternate);
// Both screen sizes; a display model moves within its family to the member that holds
// them (re-initialising the session). False when memory ran out.
bool I3270SetGeometry(I3270Session* s, int rows, int columns, int size, int altRows, int altColumns, int altSize);
bool I3270SetModel(I3270Session* s);
void I3270InitSession(I3270Session* s);
// Re-initialises the same record for another model (TN3270E device type, a BIND, Setup).
void I3270ResetSession(I3270Session* s, int model);
void I3270SetupCodePage(I3270Session* s);
void I3270LoadNationalTable(I3270Session* s, u16 codePage);
// Frees what the record holds (the record itself stays).
void I3270FreeSession(I3270Session* s);
