#include "terminal/input/bars/keylabels.h"

int LayoutKeyLabelRects(const u8* bounds, int boundCount, KeyLabelRect* rects, int count, int cellWidth,
                        int charHeight, int top, int wrapColumn)
{
    if (boundCount < 2 || count <= 0)
        return 0;
    const int rowHeight = charHeight + 4;
    int y = top, rows = 1, b = 0;
    for (int k = 0; k < count; ++k) {
        rects[k] = KeyLabelRect{bounds[b] * cellWidth, y, bounds[b + 1] * cellWidth, y + rowHeight};
        const bool lastOfRow = bounds[b + 1] >= wrapColumn || b + 2 >= boundCount;
        if (lastOfRow && k + 1 < count) {
            b = 0;
            y += rowHeight;
            ++rows;
        } else {
            ++b;
        }
    }
    return rows;
}

int HitTestKeyLabels(int x, int y, const KeyLabelRect* rects, int count)
{
    for (int k = 0; k < count; ++k)
        if (x >= rects[k].left && x < rects[k].right && y >= rects[k].top && y < rects[k].bottom)
            return k;
    return -1;
}
