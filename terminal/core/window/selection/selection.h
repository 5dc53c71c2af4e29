// Selection of screen text and images with the mouse, and the clipboard: the marks of a
// text selection live in the screen store (selectiontext.h) and are painted by the row
// painter; a graphics selection is an inverted rectangle over the screen window.
// Everything here runs on the user-interface thread, except the paste thread.
#pragma once

#include "terminal/core/base/win32.h"
#include "terminal/core/screen/selectiontext.h"

// Selection drags started by the mouse: a text selection, an extension of the current
// one, a rectangle of text, a second-kind text selection (a rectangle too), or a bitmap
// rectangle (graphics mode).
enum class SelectionKind { Text, Extend, Block, SecondKind, Bitmap };
void StartSelectionDrag(HWND window, POINT at, SelectionKind kind);
void ExtendSelectionDrag(HWND window, POINT at);
// While a drag goes on, extends it to the last point again: the view goes on scrolling
// while the pointer stays beyond the top or bottom edge (the tick calls it).
void UpdateSelectionDrag();
// The view was panned (the wheel, the scroll bar, an edge of the screen): a drag reaches
// the cell now under its pointer.
void SelectionFollowsView();
void FinishSelectionDrag();
// A selection made without a drag (the keyboard's pointer steps): its anchor, then its
// other end.
void BeginSelectionAt(POINT at, bool block);
void ExtendSelectionTo(POINT at);
bool SelectionDragging();
bool SelectionPresent();

// The cell under a client point of the screen window, clamped to the selectable area;
// `edge` -1 above it, +1 below, 0 inside. The row is a window row. False when nothing
// is selectable.
bool PixelToSelectionCell(POINT at, int* column, int* row, int* edge);
// Reads the marked text under the frame lock (see selection.cpp); false when the lock
// could not be had, and nothing was read.
bool TakeSelectedText(SelectionText* text);
// Marks the cells from one end to the other (rows in the store's numbering, see
// selectiontext.h) and repaints what changed; a single cell clicked twice clears.
void MarkSelectionRange(int row0, int column0, int row1, int column1);
// Selects the word or cells of one window row (hot-spot words).
void SelectWindowRowRange(int windowRow, int column0, int column1);
void SelectAllText();
// Select All as the clipboard mode has it (text or graphics).
void SelectAll();

// Copies the selection (text or bitmap, as the clipboard mode has it) to the clipboard.
void CopySelection();
void CopySelectionText(HWND window);
// Pastes from the clipboard: text through the paste thread, or the bitmap.
void PasteClipboard();
void StartPaste(HWND window);
// The paste thread's work; 0, or -1 clipboard busy, -2 no text, -3 no memory, -4 no lock.
int PasteClipboardText(HWND window);
// Waits for a paste thread that still runs (shut-down).
void WaitForPasteThread();

// Moves the text cursor to the cell under a point, where the emulation allows it.
void MoveCursorToPointer(HWND window, POINT at);
// The clipboard mode: 0 text, 1 graphics (bitmap).
extern u32 ClipboardMode;
// Graphics clipboard mode: selections are bitmap rectangles instead of text.
bool GraphicsPasteMode();
// Changes the clipboard mode (commands 1058 and 1069), ending the current selection.
void SetClipboardMode(u32 graphics);

// The graphics rubber band, in screen-window client pixels.
void BeginGraphicsSelection(POINT at);
void ExtendGraphicsSelection(POINT at);
void SelectAllGraphics();
void ClearGraphicsSelection();
bool GraphicsSelectionPresent();
// Takes the rectangle off the screen in graphics mode (scrolling, focus loss, reload).
void EndGraphicsSelection();
// Copies the rectangle as a bitmap; `swap` exchanges black and white, `mono` leaves
// black and white only.
void CopyScreenBitmap(HWND window, bool swap, bool mono);
void PasteBitmap(HWND window, int x, int y);

// The selection goes when the window loses the focus.
void ClearSelectionOnFocusLoss();
