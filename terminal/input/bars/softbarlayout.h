// Where the soft-button bar puts its buttons: which levels are visible in which order,
// how they rotate, and the cell of every button in the bar. Four levels of fourteen
// codes (code = level x 14 + slot); a level shows as rows of buttons, two rows of seven
// when attached.
#pragma once

#include "terminal/input/bars/softbuttons.h"

constexpr int kSoftBarCodes = kSoftButtonLevels * kSoftButtonSlots;
constexpr int kSoftBarAttachedColumns = 7;

// The level shown at position `index` (0 top) when the visible sequence starts at
// `order`: 0 gives 0 1 2 3, 1 gives 1 2 3 0, and so on.
int VisibleSoftBarLevel(int order, int index);
// The position at which `level` shows (0 top), or -1 when it is not among the first
// `visible` levels of the order.
int SoftBarLevelPosition(int order, int visible, int level);
// The order after stepping (+1 next level, -1 back). Levels rotate only while some are
// hidden: with 0 or 4 visible (or an order out of range) the order stays.
int RotateSoftBarOrder(int order, int step, int visible);
// Columns a floating bar of that client width holds, 1-14.
int FloatingSoftBarColumns(int clientWidth, int buttonWidth);
// Rows one level takes at that many columns.
int SoftBarRowsPerLevel(int columns);

struct SoftBarCell {
    int column, row;  // row counted from the top of the bar
};
// The cell of `code`'s button; false when its level is not visible.
bool SoftBarButtonCell(int code, int order, int visible, int columns, SoftBarCell* cell);
