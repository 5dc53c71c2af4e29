// Monochrome glyph bitmaps in memory blocks: rows of `width` pixels, most significant
// bit first, each row padded to whole bytes. Used by the painters that draw glyphs as
// runs of lines (a family's line-drawn font).
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int MonoRowBytes(int width)
{
    return (width + 7) / 8;
}

// One 32-bit value per pixel (0 or 1), row after row; a memory block or nullptr.
u32* UnpackMonoBitmap(const u8* bits, int width, int height);
// Packs one value per pixel back into rows; a memory block or nullptr.
u8* PackMonoBitmap(const u32* pixels, int width, int height);

// Scales a bitmap block to newWidth x newHeight, each target pixel taking the nearest
// source pixel; with `fill` the result is all ink. Takes ownership of `bits`: it comes
// back as the result when nothing needs to change, otherwise it is freed and a new
// block is returned (nullptr when memory ran out).
u8* ScaleMonoBitmap(u8* bits, int width, int height, int newWidth, int newHeight, bool fill);

// The bottom half of a double-height glyph: the lower half of the rows moved to the top
// (the rest blank), in place.
void MoveLowerHalfUp(u8* bits, int width, int height);
