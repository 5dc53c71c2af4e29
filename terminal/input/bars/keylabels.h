// On-screen key labels: buttons drawn inside the terminal area below its text rows (the
// soft buttons' labels, and a family's function-key labels). A row of labels is cut at
// column boundaries given in character cells.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct KeyLabelRect {
    i32 left, top, right, bottom;  // pixels, right and bottom exclusive
};
constexpr int kKeyLabelCount = 60;

// Seven labels a row: the first eight columns wide, the others twelve.
constexpr u8 kSoftButtonLabelBounds[] = {0, 8, 20, 32, 44, 56, 68, 80};
constexpr int kSoftButtonLabelBoundCount = 8;

// Lays out `count` labels from `top` on: label k spans the next pair of boundaries, a
// row is one character height plus 4 pixels, and after a label that ends at
// `wrapColumn` or beyond the next starts a new row at the first boundary. The rows used.
int LayoutKeyLabelRects(const u8* bounds, int boundCount, KeyLabelRect* rects, int count, int cellWidth,
                        int charHeight, int top, int wrapColumn);
// The label holding the point, -1 for none.
int HitTestKeyLabels(int x, int y, const KeyLabelRect* rects, int count);
