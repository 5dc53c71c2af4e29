// Painting a run of IBM display cells, whichever emulation: the run's rectangle filled
// with the background colour, then its characters through the session's code page or
// its symbols from the program's symbol bitmap; and the block or underline cursor.
#pragma once

#include <vector>

#include "terminal/core/base/win32.h"

// The pixel rectangle of `count` cells from a row and column.
RECT HostRunRect(int row, int column, int count);
// Fills the rectangle with the device context's background colour and, unless `blank`,
// draws the run: bytes through the byte-to-Unicode table, or symbol numbers.
void DrawHostRun(const RECT& rect, const u8* characters, int count, const std::vector<u8>& s2u, bool symbols,
                 bool blank);
// Inverts the cursor's cell, or its bottom two pixel rows (the underline cursor).
void InvertHostCell(int row, int column, bool block);
