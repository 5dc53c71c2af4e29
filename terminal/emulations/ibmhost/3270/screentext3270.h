// A 3270 screen as text: what copying gives and whole-program tests read. Attributes,
// nulls and non-display fields are blanks; graphic-escape characters of the APL2 box
// set are their box-drawing characters.
#pragma once

#include <string>

#include "terminal/emulations/ibmhost/3270/session3270.h"

// The UTF-16 character a buffer cell shows (0x20 for a blank).
wchar16 I3270CellCharacter(const I3270Session* s, i32 address);
// Row r in UTF-8 without its trailing blanks.
std::string I3270RowText(const I3270Session* s, int row);
// The operator information area in UTF-8: characters as shown, each symbol as "{XX}"
// with its number in hexadecimal.
std::string I3270OiaText(const I3270Session* s);
