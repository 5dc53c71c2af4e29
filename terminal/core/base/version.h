// The program's version and the build stamp derived from its build date.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The build date text the program carries, in the form the C compiler writes dates.
constexpr char kProgramBuildDate[] = "Dec 23 2002";

// The stamp of a build date ("Mmm dd yyyy"): month in bits 8-11, day in bits 3-7, the
// year + 2 in bits 12-15, over 0xA0004. A month name that is none of January to
// November counts as December.
u32 BuildStampOf(const char* date);
u32 ProgramBuildStamp();
