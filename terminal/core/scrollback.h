// The vertical scroll bar and scrolling back through the history.
#pragma once

#include "terminal/core/win32.h"

void CreateScrollBar(HINSTANCE instance, HWND mainWindow);
void ShowScrollBarWindow();
// Width the scroll bar takes from the terminal area (0 when it is not shown).
int ScrollBarWidth();
void ScrollBackHandler(int code, int position);
// Pans the view into the history (positive = up, towards older lines).
void PanHistoryView(int lines);
