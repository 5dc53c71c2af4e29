#include "terminal/emulations/hp700/window/labelbuttons.h"

#include <atomic>

#include "terminal/core/base/win32.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/geometry.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/menus/menus.h"
#include "terminal/input/bars/keylabels.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"

namespace {

constexpr int kButtons = 9;
constexpr u8 kBounds[kButtons + 1] = {0, 9, 18, 27, 36, 44, 53, 62, 71, 80};
constexpr int kMiddleButton = 4;

std::atomic<int> g_pressed{-1};

bool LabelScreenShown()
{
    return Hp700.menu == kHpMenuLabelEntry || Hp700.menu == kHpMenuLabels;
}

// The buttons fill the two label rows.
int Layout(KeyLabelRect* rects)
{
    if (CellWidth <= 0 || LineHeight <= 0)
        return 0;
    LayoutKeyLabelRects(kBounds, kButtons + 1, rects, kButtons, CellWidth, 2 * LineHeight - 4,
                        kHpScreenRows * LineHeight, 80);
    return kButtons;
}

void ColumnsText(const HpLine* line, int first, int last, wchar_t* out)
{
    int n = 0;
    for (int c = first; c < last; ++c) {
        const u8 ch = line ? line->cells[c].ch : 0;
        out[n++] = static_cast<wchar_t>(ch < 32 ? u' ' : ch);
    }
    while (n > 0 && out[n - 1] == L' ')
        --n;
    out[n] = 0;
}

void DrawButton(int i, const KeyLabelRect& k, bool pressed)
{
    RECT r{k.left, k.top, k.right, k.bottom};
    FillRect(ScreenDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    const int oldMode = SetBkMode(ScreenDC, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(ScreenDC, GetSysColor(COLOR_BTNTEXT));
    const int shift = pressed ? 1 : 0;
    for (int which = 0; which < 2; ++which) {
        wchar_t text[16];
        ColumnsText(Hp700MenuLabelLine(which), kBounds[i], kBounds[i + 1], text);
        if (!text[0])
            continue;
        RECT line{r.left + 2 + shift, r.top + 1 + which * LineHeight + shift, r.right - 1,
                  r.top + 1 + (which + 1) * LineHeight + shift};
        DrawTextW(ScreenDC, text, -1, &line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    SetTextColor(ScreenDC, oldColour);
    SetBkMode(ScreenDC, oldMode);
    DrawEdge(ScreenDC, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
}

void RepaintButtons()
{
    RepaintScreenRegion(kHpScreenRows, 0, kHpScreenRows + 1, kHpMaxColumns - 1);
}

}  // namespace

void Hp700PaintKeyLabels()
{
    if (!Hp700Running() || !ScreenDC || LabelScreenShown() || !Hp700.labelsShown)
        return;
    KeyLabelRect rects[kButtons];
    if (Layout(rects) == 0)
        return;
    ClipToClientArea();
    const int pressed = g_pressed.load();
    for (int i = 0; i < kButtons; ++i)
        DrawButton(i, rects[i], i == pressed);
    RestoreTerminalClip();
}

bool Hp700ClickKeyLabel(int x, int y, int flag)
{
    if (!Hp700Running() || LabelScreenShown() || !Hp700.labelsShown) {
        g_pressed = -1;
        return false;
    }
    KeyLabelRect rects[kButtons];
    if (Layout(rects) == 0)
        return false;
    const int hit = HitTestKeyLabels(x, y, rects, kButtons);
    if (flag == 0) {
        if (hit < 0)
            return false;
        g_pressed = hit;
        RepaintButtons();
        return true;
    }
    const int pressed = g_pressed.exchange(-1);
    if (pressed < 0)
        return false;
    RepaintButtons();
    // A release away from the button pressed does nothing.
    if (hit != pressed)
        return true;
    if (pressed == kMiddleButton) {
        SetSoftButtonBarVisible(GetVisibleSoftButtonLevels() > 0 ? 0 : 1, true);
        return true;
    }
    const int key = pressed < kMiddleButton ? kKeyF1 + pressed : kKeyF5 + pressed - kMiddleButton - 1;
    QueueInputEvent(3, static_cast<u16>(key), 0);
    return true;
}
