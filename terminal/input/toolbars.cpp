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
