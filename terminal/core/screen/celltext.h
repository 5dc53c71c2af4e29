// The character a screen cell shows, as UTF-16: what copying, printing and media copy
// put out for a cell. Cells of the line-drawing set become the box-drawing characters
// they are drawn as; every other cell goes through the character-set translators.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct ScreenCell;

// 0 for a cell that shows nothing at all (a NUL never written over).
u16 CellRecordToUnicode(const ScreenCell& cell);
