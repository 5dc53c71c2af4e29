// The "TVI955" profile section: loading and saving the live settings and keys.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

void LoadTviSettings();
void SaveTviSettings(int fullReload);
