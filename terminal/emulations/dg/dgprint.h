// The DG print screen: the print command starts it for the cursor's window, and each
// posted step prints one row of it.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The print command's start (the frame's Print Screen while DG runs).
void DgStartPrintScreen();
// One row; the last step ends the job.
void DgPrintScreenStep(u32 step);
// The DG print key: the print screen flag set, then the print command.
void DgPrintKey();
