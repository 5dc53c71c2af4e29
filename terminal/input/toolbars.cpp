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

namespace {
// What the bar will show once it is built; Setup edits it already.
int g_softButtonLevels = 1;
bool g_softButtonsAttached = true;
}  // namespace

int GetVisibleSoftButtonLevels()
{
    return g_softButtonLevels;
}

void SetSoftButtonBarVisible(int levels, bool)
{
    if (levels >= 0 && levels <= 4)
        g_softButtonLevels = levels;
}

bool IsSoftButtonBarAttached()
{
    return g_softButtonsAttached;
}

void SetSoftButtonBarAttached(bool attached, bool)
{
    g_softButtonsAttached = attached;
}

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
