#include "terminal/input/toolbars.h"

void PrepareSoftButtonBar() {}
void CreateToolbarWindows(HINSTANCE, HINSTANCE, HWND) {}
void ShowToolbarWindows(bool) {}
void CreateSoftButtonBar(HWND, bool) {}
void DestroyToolbarResources() {}
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

// The toolbar and soft-button editors are not built yet: nothing of theirs to save.
void SaveToolbarSettings(const wchar16*) {}
void SaveSoftButtonSettings() {}

// No toolbar or soft-button bar is attached until the bars of the input subsystem exist.
int GetToolbarHeight()
{
    return 0;
}

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
