// The painter and frame services of the 3270 and 5250 engines as tests see them: painted spans
// and layouts are recorded, the clock is the test's.
#pragma once

#include <vector>

#include "terminal/core/base/vxtypes.h"

namespace doubles {
struct PaintedSpan {
    int row, first, last;
};
struct IbmHostDouble {
    std::vector<PaintedSpan> painted;      // 3270 rows
    std::vector<PaintedSpan> painted5250;  // 5250 rows
    int rulerDraws = 0;
    int delays = 0;
    int layouts = 0;
    std::vector<int> windowKeys;
    int sessionSlot = 0;
    u32 ticks = 1000;
    // The 3287's printer: whether a job opens, the jobs begun and ended, the log's
    // refresh requests.
    bool printerOpens = true;
    bool printingCancelled = false;
    bool printingStopped = false;  // Cancel Printing ended the back end's job
    int jobsBegun = 0, jobsEnded = 0, logRefreshes = 0;
    i32 printerStatus = 0;  // the 5250 printer's status after a drain
};
IbmHostDouble& IbmHost();
void ResetIbmHost();
}  // namespace doubles
