// A 5250 screen as text: what the whole-program tests read. Attributes, nulls and
// non-display fields are blanks; the shown message line stands for the row it covers.
#pragma once

#include <string>

#include "terminal/emulations/ibmhost/5250/session5250.h"

// Row r (0-based) in UTF-8 without its trailing blanks.
std::string I5250RowText(const I5250Session* s, int row);
// The status row: characters as shown, each symbol as "{XX}" with its number in hex.
std::string I5250StatusText(const I5250Session* s);
