// The DG colour settings with the profile and the Setup dialog: loaded when the
// emulation starts (the machine-wide values, then the user's), saved with the profile
// while it runs, and the Setup working copy the Attributes page edits.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct FamilySetup;

// The factory colours, then the profile's, into the live values and the Setup copy.
void DgStartColours();
// The family's settings hooks (platform): the "DG410" section read and written while
// DG runs.
void DgLoadSettings();
void DgSaveSettings(int fullReload);
// Cells of the old normal and screen colours take the new ones.
void DgRecolourScreen(u8 oldFrgNorm, u8 oldBckNorm, u8 oldBckScrn);

extern const FamilySetup DgSetup;
