// Mouse buttons on the screen window: each button with its modifiers (or a double
// click) runs its configured mouse action, unless a key definition is bound to it or
// the host asked for mouse reports.
#pragma once

#include "terminal/core/base/win32.h"
#include "terminal/settings/store/mouseactions.h"

constexpr int kNoSlot = -1;
// Buttons as the handlers number them.
constexpr int kButtonLeft = 1, kButtonRight = 2, kButtonMiddle = 16;

// A second press counts as a double click only with the same button, within the system
// double-click time measured over the whole tick difference.
bool IsDoubleClick(DWORD now, DWORD previous, int button, int previousButton, UINT doubleClickTime);
// The slot of a press: double click, Alt, then Shift and Control.
int MouseSlotFor(WPARAM keyFlags, int button, bool doubleClick, bool altDown);

void MouseButtonDown(HWND window, WPARAM keyFlags, POINT at, int button);
void MouseButtonUp(HWND window, WPARAM keyFlags, POINT at, int button);
void MouseMove(HWND window, WPARAM keyFlags, POINT at);
void PerformMouseAction(HWND window, WPARAM keyFlags, POINT at, int button, int action, int slot);
bool ButtonActsAsMiddle(WPARAM keyFlags, int button);
bool IsMiddleButtonAction(int action, int slot);
void SendMouseEvent(HWND window, int button, POINT at);
// Sets the pointer shape; 1 when the pointer is below the screen rows.
int SetScreenMouseCursor(POINT at);
// The cell under a point of the screen window, false outside the screen.
bool PointToCell(POINT at, int* row, int* column);
