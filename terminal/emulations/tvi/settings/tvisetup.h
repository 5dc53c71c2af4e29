// The TVI's part of the Setup dialog: its working copy (TviSetup) filled from the live
// settings and carried back on OK, its screen elements on the Attributes page, its
// palette, and how the Terminal page shows for it.
#pragma once

#include "terminal/emulations/tvi/tvi.h"
#include "terminal/settings/setup/setupfamily.h"

extern const FamilySetup TviFamilySetup;

// Live settings and keys into the Setup copy and back, while the emulation runs.
void TviFillSetupCopy();
void TviApplySetupCopy();
// The attribute colours into the Attributes page's working table and back.
void TviFillColourCopy();
void TviApplyColourCopy();
// The Attributes page's working table: foregrounds by combination, then backgrounds.
extern u16 TviColourCopy[32];
