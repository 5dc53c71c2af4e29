// The build stamp the wizard leaves under its own key: month, day and year of the build
// packed into one word, from the compiler's date text ("Dec 23 2002"; a one-digit day
// is padded with a blank, "Dec  3 2002").
#pragma once

#include "terminal/core/base/vxtypes.h"

// 1-12 from an English three-letter month compared without case; anything else is 12.
int MonthFromName(const char* name);
// The stamp of a date text; 0 when it holds no day or year.
u32 BuildStampFromDate(const char* date);
