#include "terminal/emulations/ta6530-dg/services.h"

u8 Ta6530Mode = 0;

// Neither emulation is built yet: there are no settings of theirs to save or load.
void SaveTa6530Settings() {}
void LoadTa6530Settings() {}
void SaveDgColours() {}
