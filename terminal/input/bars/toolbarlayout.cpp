#include "terminal/input/bars/toolbarlayout.h"

namespace {
bool Inside(const ToolbarRect& r, i32 x, i32 y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
}  // namespace

ToolbarRect AttachedButtonRect(const ToolbarTables& tables, int index, ToolbarSize small)
{
    i32 x = 0;
    for (int i = 0; i <= index && i < tables.buttonCount; ++i)
        x += static_cast<i32>(tables.buttons[i].spacing) + (i > 0 ? small.cx : 0);
    const i32 top = kToolbarGap / 2;
    return ToolbarRect{x, top, x + small.cx, top + small.cy};
}

int HitToolbarButton(const ToolbarTables& tables, bool attached, i32 x, i32 y, ToolbarSize small)
{
    for (int i = 0; i < tables.buttonCount && i < kToolbarButtonSlots; ++i) {
        const ToolbarRect r = attached ? AttachedButtonRect(tables, i, small) : tables.buttons[i].rect;
        if (Inside(r, x, y))
            return i;
    }
    return -1;
}

int ToolbarFaceIndex(i32 width, const ToolbarFaceSizes& faces)
{
    if (width == faces.small.cx)
        return 0;
    if (width == faces.medium.cx)
        return 1;
    if (width == faces.large.cx)
        return 2;
    return -1;
}

ToolbarSize ReflowFloatingButtons(ToolbarTables& tables, ToolbarSize client, ToolbarSize previous,
                                  i32 minimumWidth)
{
    const int count = tables.buttonCount < kToolbarButtonSlots ? tables.buttonCount : kToolbarButtonSlots;
    if (count <= 0)
        return client;
    ToolbarButton* b = tables.buttons;
    const i32 dh = client.cy - previous.cy, dw = client.cx - previous.cx;
    i32 width = client.cx;
    if ((dh < 0 ? -dh : dh) > (dw < 0 ? -dw : dw)) {
        const i32 rowHeight = b[0].rect.bottom - b[0].rect.top + kToolbarGap;
        i32 rows = rowHeight > 0 ? (client.cy - kToolbarGap) / rowHeight : 1;
        if (rows < 1)
            rows = 1;
        const i32 perRow = (count + rows - 1) / rows;
        width = kToolbarGap;
        for (int i = 0; i < perRow && i < count; ++i)
            width += b[i].rect.right - b[i].rect.left + kToolbarGap;
        if (width < minimumWidth)
            width = minimumWidth;
    }
    for (int i = 1; i < count; ++i) {
        const ToolbarRect& prev = b[i - 1].rect;
        ToolbarRect& r = b[i].rect;
        const i32 w = r.right - r.left, h = r.bottom - r.top;
        if (prev.right + w + 2 * kToolbarGap > width) {
            r.left = b[0].rect.left;
            r.top = prev.bottom + kToolbarGap;
            r.bottom = r.top + h;
        } else {
            r.left = prev.right + kToolbarGap;
            r.top = prev.top;
            r.bottom = prev.bottom;
        }
        r.right = r.left + w;
    }
    ToolbarSize need;
    for (int i = 0; i < count; ++i) {
        if (b[i].rect.right + kToolbarGap > need.cx)
            need.cx = b[i].rect.right + kToolbarGap;
        if (b[i].rect.bottom + kToolbarGap > need.cy)
            need.cy = b[i].rect.bottom + kToolbarGap;
    }
    return need;
}
