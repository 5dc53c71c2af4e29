// What the toolbar keeps beside its tables while the program runs: which bar is shown,
// its windows and places, and the six button faces.
#pragma once

#include "terminal/core/base/win32.h"
#include "terminal/input/toolbarmodel.h"

// Face sizes: small, medium, large.
constexpr int kToolbarFaceSizes = 3;

struct ToolbarWindowState {
    u32 type = kToolbarAttached;
    HWND attached = nullptr;  // "vexaNT1", child 2800 of the main window
    HWND floating = nullptr;  // "vexaNT2", the "Button Tools" pop-up
    RECT attachedRect{};      // in the main window's client area
    ToolbarRect floatingRect; // screen coordinates
    ToolbarSize nonClient{8, 27};  // the floating bar's frame and caption
    HBITMAP faceUp[kToolbarFaceSizes] = {};
    HBITMAP faceDown[kToolbarFaceSizes] = {};
    bool ready = false;       // the tables and faces exist
};
extern ToolbarWindowState Bars;

// Child id of the attached toolbar.
constexpr int kToolbarChildId = 2800;

// Prepares the tables and faces for the main window: factory type, places and buttons.
void InitToolbarButtons(HWND mainWindow);

// A picture by name: a bitmap resource of the program, or a ".bmp" file when the name
// has a ".". Null when neither gives one.
HBITMAP LoadToolbarBitmap(const wchar_t* name);
// Puts the picture `name` into image slot `index` of `tables`: one already there under
// that name is kept; another bitmap in the slot is deleted. False when none loaded.
bool LoadToolbarImage(ToolbarTables& tables, int index, const wchar_t* name);
// The 21 factory pictures in slots 0-20, every other slot emptied (bitmaps deleted).
void ResetToolbarImages(ToolbarTables& tables);
void DeleteToolbarImages(ToolbarTables& tables);
// Images loaded from files (a name with a "." that is not a factory picture).
int CountFileImages(const ToolbarTables& tables);

// One pass over the profile's "Toolbar" section in the selected root; the factory
// tables first unless KeepCurrentValues is set.
void LoadToolbarSettings(const wchar_t* profile);
// Whether the program runs with one fixed profile (no Open or Save As).
bool ToolbarFixedProfile();
// The work area nearest to `rect`, for bringing the floating bar back on screen.
ToolbarRect WorkAreaNear(const ToolbarRect& rect);

