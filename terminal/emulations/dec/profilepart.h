// The DEC family's own part of the profile: the user-defined keys of the VT300 section,
// read in each pass of a load after the section's values, written with it.
#pragma once

void DecLoadSettings();
void DecSaveSettings(int fullReload);
