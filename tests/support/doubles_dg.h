// The DG family's platform entries, recorded: the regions it asked to repaint, its
// starts and stops and its status-bar work.
#pragma once

#include <vector>

namespace doubles {
struct DgRegion {
    int r0, c0, r1, c1;
};
struct DgDouble {
    std::vector<DgRegion> repainted;
    int activations = 0, deactivations = 0, statusLayouts = 0, cursorFieldUpdates = 0, clears = 0;
};
DgDouble& DgCalls();
void ResetDg();
}  // namespace doubles
