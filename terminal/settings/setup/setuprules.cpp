#include "terminal/settings/setup/setuprules.h"

#include "terminal/core/base/emulationids.h"

namespace {
constexpr int kMaxRows = 64;
constexpr int kMaxPagedRows = 48;
}  // namespace

SetupGeometryPlan PlanSetupGeometry(const SetupGeometry& now, int r, int m, int p, int w, bool storeOwned)
{
    SetupGeometryPlan plan{-1, -1, -1, -1};
    if (!storeOwned)
        return plan;
    const bool rowsFitPages = !now.multiPage || (r <= p && r <= m && r <= kMaxPagedRows);
    if (r >= 1 && r <= kMaxRows && r != now.rows && rowsFitPages)
        plan.rows = r;
    const int rows = plan.rows > 0 ? plan.rows : now.rows;
    if (now.memorySizeAllowed && m >= rows && m <= now.maxLineCount && m != now.lineCount)
        plan.lineCount = m;
    if (now.multiPage && p >= rows && p <= now.maxLineCount && p != now.pageLength)
        plan.pageLength = p;
    if (w >= 80 && w <= 132 && w != now.pageColumns)
        plan.pageColumns = w;
    return plan;
}

bool SetupStoreOwned(u8 workingEmulation, u8 runningEngine)
{
    return IsVtFamily(workingEmulation) && runningEngine == kEmuVt52;
}
