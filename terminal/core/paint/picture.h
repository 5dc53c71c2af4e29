// The off-screen picture of the screen window: a 32-bit top-down DIB section of the
// window's client size, selected into one memory device context for the window's whole
// life. Every painter draws into it (it is the screen device context, screendc.h); the
// frame copies the changed band of it to the window, and WM_PAINT copies what the window
// asks for. The picture never holds the text cursor: the frame inverts the cursor's cell
// for the copy only, and so does it with a graphics selection's rectangle.
#pragma once

#include "terminal/core/base/win32.h"

// Makes the memory device context (compatible with `reference`, the window's own DC).
bool CreatePicture(HDC reference);
void DestroyPicture();
HDC PictureDC();
// A new DIB section of this size, black until a frame paints it. False when none could be
// made (the old one stays).
bool SizePicture(int width, int height);
int PictureWidth();
int PictureHeight();
// The pixels (0x00RRGGBB, top row first) and the pixels per row; null without a picture.
u32* PictureBits();
int PictureStride();

// Moves rows r0..r1 of the picture (rows of `lineHeight` pixels) `lines` rows up
// (negative: down), across the whole width.
void MovePictureRows(int r0, int r1, int lines, int lineHeight);
// Copies a rectangle of the picture into `target` at the same place, with `caret`
// (when not empty) shown inverted.
void CopyPictureTo(HDC target, const RECT& area, const RECT& caret);
// The rectangle every copy to the window shows inverted (empty: none). The caller holds
// the paint lock and asks for a frame.
void SetPictureInversion(const RECT& shown);
