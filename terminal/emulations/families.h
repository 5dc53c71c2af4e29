// The families of this build. Each registers its FamilyHooks when the program starts;
// an emulation whose family is not listed here is not built, and selecting it starts
// VT500 7-Bit instead.
#pragma once

// Registers every family of the list (done once, before main; calling it again is
// harmless).
void RegisterBuiltFamilies();
