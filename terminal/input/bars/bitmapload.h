// ".bmp" files read from disk for toolbar pictures (the checks are in bitmapfile.h).
#pragma once

#include "terminal/core/base/win32.h"

// The file's checked block (info header, colours, bits; freed with MemFreeBlock), or
// nullptr after "%s is not a valid Bitmap File." (7152) or "%s is too large to load."
// (7153).
void* ReadBitmapFile(const wchar_t* path);

// A device bitmap for the screen window's device context made from the file, or 0 (the
// user has been told why when the file was at fault).
HBITMAP LoadBitmapFile(const wchar_t* path);
