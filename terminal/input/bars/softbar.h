// The soft-button bar ("vxtmwinButtons"): four levels of fourteen owner-drawn buttons,
// attached below the terminal area above the status bar (control id 9000) or floating
// in a window of its own. A click runs the button's definition (a macro string), the
// level button and the level-name button rotate the visible levels, a right click asks
// for the editor. The calls the frame makes at creation, layout and save are in
// toolbars.h.
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kSoftBarId = 9000;
constexpr UINT kSoftBarAttachCommand = 1;  // the floating bar's system menu
constexpr UINT kSoftBarNextLevelCommand = 10;

// The bar's window (nullptr before it is created) and the button of a code 0-55.
HWND SoftButtonBarWindow();
HWND SoftButtonWindow(int code);
constexpr int kSoftButtonCaptionUnits = 64;
// What a button shows: its label, "Level n" on a level button without one.
void SoftButtonCaption(int code, wchar_t* text);
// A click on a button or its on-screen label: the right button asks for the editor,
// the level button and the level-name button rotate, any other runs its definition.
void PressSoftButton(int code, bool right);
// The button a right click on the bar asks to edit (a code), -1 for none.
extern int SoftButtonEditorCode;
// On-screen labels of the visible levels below the text rows, for a family that keeps
// rows for them; repainted through the screen window.
void SetSoftButtonLabelsOnScreen(bool on);
bool SoftButtonLabelsOnScreen();
void RedrawSoftButtonLabels();
// The label rectangles in the screen window and the soft-button code of each.
int SoftButtonLabelRects(const struct KeyLabelRect** rects, const int** codes);
// The first visible level (0-3).
int GetSoftButtonLevelOrder();
// `count` levels (0 hides the bar) shown from level `order` on; `apply` lays the main
// window out again.
void SetSoftButtonLevels(int count, int order, bool apply);
// +1 next level, -1 back; only while 1-3 levels show.
void RotateSoftButtonLevels(int step);
// The captions follow the definitions: repaints the buttons after they changed.
void RefreshSoftButtonBar();
// "Soft Buttons - " and the main window's title.
void UpdateSoftButtonBarCaption();
// A button that stays down after a click until the next one.
void SetSoftButtonLatching(int code, bool latching);
bool SoftButtonLatched(int code);
void DestroySoftButtonBar();
