// Selection of screen text and images, and the clipboard.
#pragma once

void ClearSelectionOnFocusLoss();
void EndGraphicsSelection();

#include "terminal/core/base/win32.h"

// Selection drags started by the mouse: a text selection, an extension of the current
// one, a rectangle of text, a second-kind text selection, or a bitmap rectangle
// ("GPaste").
enum class SelectionKind { Text, Extend, Block, SecondKind, Bitmap };
void StartSelectionDrag(HWND window, POINT at, SelectionKind kind);
void ExtendSelectionDrag(HWND window, POINT at);
void FinishSelectionDrag();
bool SelectionPresent();
// Copies the selection (text or bitmap) to the clipboard; pastes from it.
void CopySelection();
void PasteClipboard();
// Moves the text cursor to the cell under a point, where the emulation allows it.
void MoveCursorToPointer(HWND window, POINT at);
// The "GPaste" setting: selections are bitmap rectangles instead of text.
bool GraphicsPasteMode();
