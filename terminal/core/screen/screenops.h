// The operations the families on the shared store call to move the cursor and change
// the screen store: erase, scroll the region (feeding the history), insert and delete,
// margins, index and carriage return, view panning and row repaint. All run on the
// host-data thread, except panning and the caret lock, which the user-interface thread
// also reaches. Counts of 0 mean 1; margins are 1-based with 0 for the default; moves
// are clamped and out-of-range margins ignored, nothing is reported.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"
#include "terminal/core/screen/paintsettings.h"

struct ScreenLineRecord;

// The span of the cursor row the character writer has changed but not yet painted.
struct PendingRowSpan {
    u8 pending;
    i16 row, first, last;
};
extern PendingRowSpan PendingSpan;
void ClearPendingRowSpan();
// Paints the pending span (if any) and clears it.
void FlushPendingSpan();

extern u8 PendingWrap;  // the writer stopped at the margin: wrap before the next
// Every cell written is double width (an ANSI console mode): the cursor's line is made
// double width as the cursor reaches it.
extern std::atomic<u8> DoubleWidthCells;
extern std::atomic<u32> StatusLineWriting;  // the host writes the status line (slot 0, painted below the rows)

// Line content.
void FillLineCells(int row, int column, int n);
void EraseCharacters(int column, int n);
void ClearLines(int a, int b);
void ClearScreenIntoHistory(int n);
void LineClearDoubleWidth(ScreenLineRecord* line);
void LineClearDoubleHeight(ScreenLineRecord* line);
void LineSetDoubleWidth(ScreenLineRecord* line);
void LineSetDoubleHeightTop(ScreenLineRecord* line);
void LineSetDoubleHeightBottom(ScreenLineRecord* line);
void RemapCellColours(u8 oldFg, u8 oldBgWritten, u8 oldBgOther, u8 newFg, u8 newBgWritten, u8 newBgOther);
void ScreenDisplayOn();
void ScreenDisplayOff();

// The running family's status line in the store: dropped, and drawn again after the
// last row was painted.
void InvalidateStatusLine();
void RefreshStatusLine();

// Cursor.
void MoveCursorAbsolute(int row, int column);
void MoveCursor(int row, int column);
void HomeCursor();
void CursorUp(int n);
void CursorDown(int n);
int CursorForward(int n);   // 1 when stopped at the margin or line end
int CursorBackward(int n);  // 1 when stopped at the margin or line start
int CursorRightOne();
void UpdateCursorCellPointer();
ScreenLineRecord* CursorLine();
int CursorColumnLimit();
void FollowCursorInView();

// Index and carriage return: at a margin the region scrolls.
void MoveCursorToColumn(int column);
void CarriageReturn();
void IndexDown();
void ReverseIndex();
void ForwardIndex();
void BackIndex();

// Scrolling and regions.
void SetTopBottomMargins(int top, int bottom);
void SetMarginLinePointers(int top, int bottom);
void SetLeftRightMargins(int left, int right);
void SetLeftRightMarginMode(int off);
bool LeftRightMarginsNarrow();
void ScrollRegionUp();
// The host's scroll down: a blank line opens at the top of the region, whatever the
// history holds.
void ScrollRegionDown();
// The host's SU and SD: the region scrolls n lines (0 means 1), the cursor stays.
void ScrollUpLines(int n);
void ScrollDownLines(int n);
void RotateRegionUp();
void RotateRegionDown();
void RotateRegionUpIntoHistory();
void RotateRegionDownFromHistory();
void ScrollRectUp();
void ScrollRectDown();
void ScrollRegionLeft();
void ScrollRegionRight();
void InsertLines(int n);
void DeleteLines(int n);
void InsertCharacters(int n);
void DeleteCharacters(int n);
void InsertColumns(int n);
void DeleteColumns(int n);
void PanViewUp(int n);
void PanViewDown(int n);
void PanViewRight(int n);
void PanViewLeft(int n);
// Rotates paged-back lines up again until the history count is back at its target.
void CatchUpHistoryView();

// Repaint.
void RepaintScreen();
void RepaintCursorRow();
void RepaintCursorRowSpan(int a, int b);
void RepaintRowSpan(int row, int a, int b);
int ClassifyRowVisibility(int row);
int ClassifyColumnVisibility(int row, int column);
