#include "terminal/input/toolbars.h"

void CreateToolbarWindows(HINSTANCE, HINSTANCE, HWND) {}
void ShowToolbarWindows(bool) {}
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

// The toolbar editor is not built yet: nothing of it to save.
void SaveToolbarSettings(const wchar16*) {}

// No toolbar is attached until the toolbar exists.
int GetToolbarHeight()
{
    return 0;
}

bool TrackToolbarDrag(HWND, WPARAM, POINT)
{
    return false;
}

void ToolbarButtonUp(HWND, POINT, int) {}
void ClearToolbarPressed(POINT, int) {}
