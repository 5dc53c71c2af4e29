#include "terminal/core/selection.h"

#include "terminal/core/uiservices.h"

void ClearSelectionOnFocusLoss() {}
void EndGraphicsSelection() {}

// Nothing can be selected yet.
void ClearSelectionMarks() {}
