// The comparisons the Setup apply makes before it touches a live setting: which screen
// sizes of the working copy may be applied to the shared screen store, and which
// emulations own the store's geometry at all.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The store's geometry as the apply finds it.
struct SetupGeometry {
    int rows;                // text rows on screen
    int pageLength;          // lines per page
    int lineCount;           // screen plus history (the memory rows)
    int pageColumns;         // columns of a page
    bool multiPage;          // the VT terminal model keeps pages
    bool memorySizeAllowed;  // the history can take another size
    int maxLineCount;        // the most memory rows there may be
};

// The sizes to apply; -1 leaves that size as it is.
struct SetupGeometryPlan {
    int rows, lineCount, pageLength, pageColumns;
};

// The working sizes r (rows), m (memory rows), p (page size) and w (page width) against
// the store. Only emulations that keep the shared store themselves (`storeOwned`) have
// their geometry applied. Rows run 1..64, and with pages kept they must fit the page,
// the memory and 48; memory rows and page size lie between the rows and the maximum;
// the page width is 80..132.
SetupGeometryPlan PlanSetupGeometry(const SetupGeometry& now, int r, int m, int p, int w, bool storeOwned);

// The working emulation is a DEC VT model and no engine of another family runs: the
// shared store's geometry is the Setup's to change. `runningEngine` is the first
// emulation id of the family that runs (GetEmulationFromFlags: kEmuVt52 for the DEC VT
// family).
bool SetupStoreOwned(u8 workingEmulation, u8 runningEngine);
