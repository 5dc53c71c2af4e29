#include "terminal/input/bars/softbarlayout.h"

int VisibleSoftBarLevel(int order, int index)
{
    return ((order + index) % kSoftButtonLevels + kSoftButtonLevels) % kSoftButtonLevels;
}

int SoftBarLevelPosition(int order, int visible, int level)
{
    for (int index = 0; index < visible && index < kSoftButtonLevels; ++index)
        if (VisibleSoftBarLevel(order, index) == level)
            return index;
    return -1;
}

int RotateSoftBarOrder(int order, int step, int visible)
{
    if (visible < 1 || visible >= kSoftButtonLevels || order < 0 || order >= kSoftButtonLevels)
        return order;
    return ((order + step) % kSoftButtonLevels + kSoftButtonLevels) % kSoftButtonLevels;
}

int FloatingSoftBarColumns(int clientWidth, int buttonWidth)
{
    const int columns = buttonWidth > 0 ? clientWidth / buttonWidth : kSoftButtonSlots;
    return columns < 1 ? 1 : columns > kSoftButtonSlots ? kSoftButtonSlots : columns;
}

int SoftBarRowsPerLevel(int columns)
{
    if (columns < 1)
        columns = 1;
    return (kSoftButtonSlots + columns - 1) / columns;
}

bool SoftBarButtonCell(int code, int order, int visible, int columns, SoftBarCell* cell)
{
    if (code < 0 || code >= kSoftBarCodes || columns < 1)
        return false;
    const int position = SoftBarLevelPosition(order, visible, code / kSoftButtonSlots);
    if (position < 0)
        return false;
    const int slot = code % kSoftButtonSlots;
    cell->column = slot % columns;
    cell->row = position * SoftBarRowsPerLevel(columns) + slot / columns;
    return true;
}
