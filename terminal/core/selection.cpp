#include "terminal/core/selection.h"

void ClearSelectionOnFocusLoss() {}
void EndGraphicsSelection() {}
