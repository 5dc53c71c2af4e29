// Toolbar, floating button bar and soft-button bar windows.
#pragma once

#include "terminal/core/win32.h"

void PrepareSoftButtonBar();
void CreateToolbarWindows(HINSTANCE previous, HINSTANCE instance, HWND mainWindow);
void ShowToolbarWindows(bool minimised);
void CreateSoftButtonBar(HWND mainWindow, bool minimised);
void DestroyToolbarResources();
bool IsButtonBarWindow(HWND window);
void DestroyToolTip();
int AllocKeyLabelBuffer();
// Loads the key position and layout resources; 0 when one is missing.
int LoadKeyboardResources();
// The profile's "Toolbar" key and SOFTBUTTONS section.
void SaveToolbarSettings(const wchar16* profile);
void SaveSoftButtonSettings();
