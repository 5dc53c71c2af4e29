#include "terminal/emulations/tvi/settings/tviprofile.h"

void LoadTviSettings() {}
void SaveTviSettings(int) {}
