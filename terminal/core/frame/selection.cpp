#include "terminal/core/frame/selection.h"

#include "terminal/core/frame/uiservices.h"

void ClearSelectionOnFocusLoss() {}
void EndGraphicsSelection() {}

// Nothing can be selected yet.
void ClearSelectionMarks() {}

// Selection, copy and paste come with the selection and clipboard code; until then a
// drag selects nothing and the clipboard is left alone.
void StartSelectionDrag(HWND, POINT, SelectionKind) {}
void ExtendSelectionDrag(HWND, POINT) {}
void FinishSelectionDrag() {}
bool SelectionPresent()
{
    return false;
}
void CopySelection() {}
void PasteClipboard() {}
void MoveCursorToPointer(HWND, POINT) {}
bool GraphicsPasteMode()
{
    return false;
}
