// What the toolbar keeps beside its tables while the program runs: which bar is shown,
// its windows and places, and the six button faces.
#pragma once

#include "terminal/core/base/win32.h"
#include "terminal/input/bars/toolbarmodel.h"

// Face sizes: small, medium, large.
constexpr int kToolbarFaceSizes = 3;

struct ToolbarWindowState {
    u32 type = kToolbarAttached;
    HWND attached = nullptr;       // "vexaNT1", child 2800 of the main window
    HWND floating = nullptr;       // "vexaNT2", the "Button Tools" pop-up
    RECT attachedRect{};           // in the main window's client area
    ToolbarRect floatingRect;      // screen coordinates
    ToolbarSize nonClient{8, 27};  // the floating bar's frame and caption
    HBITMAP faceUp[kToolbarFaceSizes] = {};
    HBITMAP faceDown[kToolbarFaceSizes] = {};
    bool ready = false;  // the tables and faces exist
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

// Set while the customisation dialog runs: the bars then ignore the mouse.
extern bool ButtonBarDialogOpen;

// The bars' classes ("vexaNT1", "vexaNT2" and the tooltip's); false when one failed.
bool RegisterToolbarClasses(HINSTANCE instance);
bool RegisterToolTipClass(HINSTANCE instance);
// A class of the bars: redrawn when sized, the arrow, a stock background brush.
bool RegisterBarClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, int brush, const wchar_t* icon);
// The window of the current type, when it is that type and does not exist yet.
HWND CreateToolbarWindow(HINSTANCE instance, HWND mainWindow);
HWND CreateButtonBarWindow(HINSTANCE instance, HWND mainWindow);
u32 GetToolbarType();

// Paint, mouse and capture messages of either bar (`attached` for the toolbar); true
// when handled, with the window procedure's result.
bool HandleBarMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool attached, LRESULT* result);
// Draws one button into `rect` of `dc`: its face by the rectangle's width, up or down,
// then its picture 2 (up) or 3 (down) pixels in. Nothing for a missing face or picture.
void DrawToolbarButton(HDC dc, const ToolbarTables& tables, const ToolbarButton& button, const RECT& rect,
                       bool pressed);

// Tooltips: the pointer moved over a bar (client point), and the text one would show.
void TrackToolTip(HWND bar, bool attached, POINT at);
// The text of button `index`: its own text or its command's menu text, "&" removed.
int ToolTipText(const ToolbarTables& tables, int index, wchar_t* text, int capacity);
