// The key-definition list in the profile: {profile}\Macros\{key, ZARA, SBUTT, MOUSE}.
// Each definition is a REG_BINARY of 16-bit units: send type, text length n, then the
// n units of the text. Keyboard macros are named "%X,%u" (key code, shift state); the
// other kinds by the key code in lower-case hexadecimal; a soft button's label is the
// REG_SZ "Lab%X" beside it.
#pragma once

// Rewrites every kind that has definitions as a whole.
void SaveMacros();
// Adds the stored definitions to the list (the first pass of a load first clears the
// keyboard macros and soft buttons the profile saves). A value that is not a whole
// definition is skipped; the definitions around it still load.
void LoadMacros();
