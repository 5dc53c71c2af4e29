#include "terminal/input/toolbars.h"

void PrepareSoftButtonBar() {}
void ShowToolbarWindows(bool) {}
void CreateSoftButtonBar(HWND, bool) {}
bool IsButtonBarWindow(HWND)
{
    return false;
}
void DestroyToolTip() {}
int AllocKeyLabelBuffer()
{
    return 1;
}
int LoadKeyboardResources()
{
    return 1;
}

// The soft-button editor is not built yet: nothing of its own to save.
void SaveSoftButtonSettings() {}

// No soft-button bar is attached until it exists.
int GetSoftButtonBarHeight()
{
    return 0;
}

void LayoutScreenKeyLabels() {}
void DrawSoftButtonLabels() {}

bool ClickScreenKeyLabel(POINT, int)
{
    return false;
}

bool TrackToolbarDrag(HWND, WPARAM, POINT)
{
    return false;
}

void ToolbarButtonUp(HWND, POINT, int) {}
void ClearToolbarPressed(POINT, int) {}
