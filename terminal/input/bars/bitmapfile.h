// ".bmp" files for toolbar pictures: the file header is checked, then the block that
// follows it (info header, colour table, bits) is checked whole before anything reads or
// draws from it, so a damaged or hostile file is refused instead of read past its end.
#pragma once

#include <cstddef>

#include "terminal/core/base/vxtypes.h"

constexpr std::size_t kBitmapFileHeaderBytes = 14;

// The largest picture width or height accepted; toolbar pictures are tiny and a device
// bitmap of this size is already far beyond what any bar shows.
constexpr i32 kBitmapMaxSide = 16384;

// Size of the block that follows a file header (its total size less the header), or -1
// when the header is not a bitmap's: no "BM", a total below the header's own size or
// above `fileBytes`.
i64 BitmapBlockSize(const u8* fileHeader, u64 fileBytes);

// Whether a block of `bytes` holds a bitmap whose info header, colour table and bits
// all lie inside it and that a device bitmap can be made from.
bool CheckBitmapBlock(const u8* block, std::size_t bytes);

// The info header's size (its first 32-bit number) and where the pixel bits start;
// only meaningful for a block CheckBitmapBlock accepted.
u32 BitmapInfoHeaderSize(const void* block);
const u8* BitmapBitsPointer(const void* block);

// A whole file in memory: its checked block in a memory block (freed with MemFreeBlock),
// or nullptr after "%s is not a valid Bitmap File." (7152), or "%s is too large to load."
// (7153) when there is no memory for a block the file says it fills.
void* ReadBitmapBytes(const u8* file, std::size_t fileBytes, const wchar16* path);
