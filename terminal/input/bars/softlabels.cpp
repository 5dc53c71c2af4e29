// The soft buttons' labels drawn inside the terminal area, below the text rows, for a
// family that keeps rows there for them (as the HP 700/92 keeps its function-key label
// rows). The labels are painted with the screen's rows and pressed through the screen
// window's mouse handling.
#include <cwchar>

#include "terminal/core/base/handles.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/geometry.h"
#include "terminal/core/paint/overlays.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/input/bars/keylabels.h"
#include "terminal/input/bars/softbar.h"
#include "terminal/input/bars/softbarlayout.h"
#include "terminal/input/bars/toolbars.h"

namespace {
bool g_on;
KeyLabelRect g_rects[kKeyLabelCount];
int g_codes[kKeyLabelCount];
int g_count;
int g_pressed = -1;

void InvalidateLabel(int index)
{
    if (!ScreenWindowHandle || index < 0 || index >= g_count)
        return;
    const KeyLabelRect& k = g_rects[index];
    RECT r{k.left, k.top, k.right, k.bottom};
    InvalidateRect(ScreenWindowHandle, &r, FALSE);
}

void DrawLabel(HDC dc, int index)
{
    const KeyLabelRect& k = g_rects[index];
    RECT r{k.left, k.top, k.right, k.bottom};
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    wchar_t text[kSoftButtonCaptionUnits];
    SoftButtonCaption(g_codes[index], text);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    // The level's name is a caption, not a key: it is drawn flat.
    if (g_codes[index] % kSoftButtonSlots == kLevelNameSlot)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
    else
        DrawEdge(dc, &r, index == g_pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
}
}  // namespace

void SetSoftButtonLabelsOnScreen(bool on)
{
    g_on = on;
    g_pressed = -1;
    LayoutScreenKeyLabels();
    if (ScreenWindowHandle)
        InvalidateRect(ScreenWindowHandle, nullptr, FALSE);
}

bool SoftButtonLabelsOnScreen()
{
    return g_on;
}

int SoftButtonLabelRects(const KeyLabelRect** rects, const int** codes)
{
    *rects = g_rects;
    *codes = g_codes;
    return g_count;
}

void LayoutScreenKeyLabels()
{
    g_count = 0;
    const int levels = GetVisibleSoftButtonLevels();
    if (!g_on || levels <= 0 || BaseCellWidth <= 0 || BaseLineHeight <= 0)
        return;
    g_count = levels * kSoftButtonSlots;
    LayoutKeyLabelRects(kSoftButtonLabelBounds, kSoftButtonLabelBoundCount, g_rects, g_count, BaseCellWidth,
                        BaseLineHeight, Screen.rows * BaseLineHeight, 80);
    for (int k = 0; k < g_count; ++k)
        g_codes[k] = VisibleSoftBarLevel(GetSoftButtonLevelOrder(), k / kSoftButtonSlots) * kSoftButtonSlots +
                     k % kSoftButtonSlots;
}

void DrawSoftButtonLabels()
{
    if (!g_on || !ScreenDC || g_count == 0)
        return;
    ScreenPaintGuard guard;
    ClipToClientArea();
    HGDIOBJ oldFont = SelectObject(ScreenDC, GetStockObject(ANSI_FIXED_FONT));
    for (int k = 0; k < g_count; ++k)
        DrawLabel(ScreenDC, k);
    SelectObject(ScreenDC, oldFont);
    RestoreTerminalClip();
}

void RedrawSoftButtonLabels()
{
    for (int k = 0; k < g_count; ++k)
        InvalidateLabel(k);
}

bool ClickScreenKeyLabel(POINT at, int flag)
{
    if (flag == 0) {
        const int hit = g_on ? HitTestKeyLabels(at.x, at.y, g_rects, g_count) : -1;
        if (hit < 0)
            return false;
        g_pressed = hit;
        InvalidateLabel(hit);
        return true;
    }
    if (g_pressed < 0)
        return false;
    const int pressed = g_pressed;
    g_pressed = -1;
    InvalidateLabel(pressed);
    // A release away from the label it pressed does nothing.
    if (HitTestKeyLabels(at.x, at.y, g_rects, g_count) == pressed)
        PressSoftButton(g_codes[pressed], false);
    return true;
}
