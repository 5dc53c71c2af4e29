// Recording stand-ins for the TA6530's Win32 side: its serial line, printing, profile
// section, painting and switch.
#pragma once

#include <string>
#include <vector>

#include "terminal/core/base/vxtypes.h"

namespace doubles {

struct Ta6530Double {
    std::vector<u32> lineFlowControls;  // each TaReapplyLine
    std::vector<std::string> printed;   // lines printed, trailing blanks removed
    int printRuns = 0, printRunEnds = 0, profileSaves = 0, sectionReads = 0;
    bool printerAvailable = true;
};
Ta6530Double& Ta6530();

}  // namespace doubles
