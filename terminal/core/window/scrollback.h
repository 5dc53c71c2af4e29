// The vertical scroll bar beside the terminal area and scrolling back through the
// history of the screen store (or through the pages of the DEC emulations). The bar is
// shown only while there is something to scroll.
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kScrollBarId = 2802;
// Posted to the main window by other threads: the bar's range and thumb follow the
// store (worker threads never send to the user-interface thread's windows).
constexpr UINT kMsgScrollBarRefresh = WM_APP + 11;

void CreateScrollBar(HINSTANCE instance);
HWND ScrollBarWindow();
RECT ComputeScrollBarRect();
void PlaceScrollBar();
void InvalidateScrollBar();
// Width the bar takes from the terminal area: 0 while hidden.
int GetScrollBarWidth();
int GetScrollBarHeight();

void SetScrollBarVisible(bool show, bool force);
bool ScrollBarVisible();
int GetScrollRangeMax();
void ResetScrollRange();
void UpdateScrollThumb();
// The thumb position of the active emulation's view.
int ScrollThumbPosition();
// Runs a pending refresh posted by another thread.
void ServeScrollBarRefresh();

// DispatchScrollBarCommand (uiservices.h) is the scroll bar's command; PanHistoryView
// is queued for the host-data thread the same way.
void VtScrollBack(int code, int position);
// Pans the view into the history (positive: towards older lines), for the wheel.
void PanHistoryView(int lines);

void RefitHistoryView(int oldRows);
void SetScreenRowsKeepCursor(int rows);
