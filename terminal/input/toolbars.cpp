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
