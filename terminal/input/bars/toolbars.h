// Toolbar, floating button bar and soft-button bar windows.
#pragma once

#include "terminal/core/base/win32.h"
#include "terminal/core/paint/overlays.h"

void PrepareSoftButtonBar();
void CreateToolbarWindows(HINSTANCE previous, HINSTANCE instance, HWND mainWindow);
void ShowToolbarWindows(bool minimised);
void CreateSoftButtonBar(HWND mainWindow, bool minimised);
void ShowSoftButtonBar(bool minimised);
void DestroyToolbarResources();
bool IsButtonBarWindow(HWND window);
void DestroyToolTip();
// The core's 250 ms tick counted the tooltip's delay down: the tooltip shows.
void ShowToolTip();
// Switches the bar: 0 none, 1 the attached toolbar, 2 the floating bar (other values 1).
void SetToolbarType(u32 type);
// The floating bar's caption follows the main window's title.
void UpdateButtonBarCaption();
// Repaints the main window and the screen window without erasing.
void InvalidateMainWindows();
// The factory pictures, commands and buttons (the bar repaints).
void ResetToolbarDefaults();
// At shut-down: the bar's window, pictures and tables go.
void DestroyToolbarWindows();
int AllocKeyLabelBuffer();
// Loads the key position and layout resources; 0 when one is missing.
int LoadKeyboardResources();
// The profile's "Toolbar" key and SOFTBUTTONS section.
void SaveToolbarSettings(const wchar16* profile);
void SaveSoftButtonSettings();
// Reads the SOFTBUTTONS section in the selected root (one pass of a profile load); the
// bar takes the values once the load ends.
void LoadSoftButtonSettings();
void ApplySoftButtonSettings();

// The soft-button bar's visible levels (0-4, 0 hidden) and whether it is attached to
// the main window; `apply` lays the bar out again.
int GetVisibleSoftButtonLevels();
void SetSoftButtonBarVisible(int levels, bool apply);
bool IsSoftButtonBarAttached();
void SetSoftButtonBarAttached(bool attached, bool apply);
// The buttons made again with the texts of the language now chosen.
void RebuildSoftButtonBar();
// A printer session's window takes the keys and the mouse: the bar hides while it runs
// and shows again after it; the terminal area follows.
void SoftButtonBarFollowsSession();
// The height a floating bar shown at start takes below a main window of the default
// size (0 when the bar is attached, hidden, or the window starts maximised).
int FloatingSoftBarStartHeight();

// Heights the attached toolbar and the visible soft-button bar take from the main
// window's client area (0 when not shown).
int GetToolbarHeight();
int GetSoftButtonBarHeight();
// Places the attached soft-button bar above the status bar after the main window changed.
void PositionSoftButtonBar();
// Mouse traffic the bars see first: a press on an on-screen key label, a toolbar button
// dragged, and the end of a press.
// `flag` 0 for a press, 1 for a release; true when a label took it.
bool ClickScreenKeyLabel(POINT at, int flag);
bool TrackToolbarDrag(HWND window, WPARAM keyFlags, POINT at);
void ToolbarButtonUp(HWND window, POINT at, int button);
void ClearToolbarPressed(POINT at, int button);
