// Selection of screen text and images, and the clipboard.
#pragma once

void ClearSelectionOnFocusLoss();
void EndGraphicsSelection();
