#include "terminal/emulations/wyse-tvi/services.h"

u8 WyseBlockMode = 0;

// Neither emulation is built yet: there are no settings of theirs to save or load.
void SaveWyseSettings(int) {}
void LoadWyseSettings() {}
void SaveTviSettings() {}
