// Loading another profile while the program runs (the Open Session page's choice).
#pragma once

// Loads the profile the Open Session page chose (SelectedProfileName); a name that is
// not stored shows "Invalid Configuration File" and keeps the running profile. 1 loaded.
int ReloadProfile();
