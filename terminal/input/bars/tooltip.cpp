// The toolbar's tooltip: when the pointer rests on a button of either bar, a small
// window with the button's text or its command's menu text appears beside it on the
// fourth tick of the 250 ms timer.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/base/ticks.h"
#include "terminal/core/base/language.h"
#include "terminal/input/bars/toolbarlayout.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/bars/toolbarstate.h"

namespace {
constexpr wchar_t kToolTipClass[] = L"ToolBarToolTip";
constexpr u32 kCmdAboutBox = 1000;
constexpr int kToolTipUnits = 60;
// Ticks from the pointer settling to the tooltip showing.
constexpr u32 kToolTipDelay = 4;

HWND g_tip = nullptr;
RECT g_tipRect{-1, -1, -1, -1};

LRESULT CALLBACK ToolTipWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    wchar_t text[kToolbarTextUnits];
    const int n = GetWindowTextW(window, text, kToolbarTextUnits);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 0, 0, text, n);
    EndPaint(window, &ps);
    return 0;
}
}  // namespace

bool RegisterToolTipClass(HINSTANCE instance)
{
    return RegisterBarClass(instance, kToolTipClass, ToolTipWndProc, WHITE_BRUSH, nullptr);
}

int ToolTipText(const ToolbarTables& tables, int index, wchar_t* text, int capacity)
{
    if (!text || capacity < 1)
        return 0;
    text[0] = 0;
    if (index < 0 || index >= tables.buttonCount || index >= kToolbarButtonSlots)
        return 0;
    const ToolbarButton& button = tables.buttons[index];
    wchar_t raw[kToolbarTextUnits + 128] = {};
    if (button.text[0]) {
        CopyText(raw, std::size(raw), button.text);
    } else {
        const i32 command = ToolbarActionCommand(tables, static_cast<int>(button.action));
        if (command <= 0)
            return 0;
        if (command == static_cast<i32>(kCmdAboutBox))
            FormatAboutMenuText(raw, static_cast<int>(std::size(raw)));
        else
            LoadLanguageString(InstanceHandle, static_cast<u32>(command), raw, static_cast<int>(std::size(raw)));
    }
    const int limit = capacity - 1 < kToolTipUnits ? capacity - 1 : kToolTipUnits;
    int n = 0;
    for (const wchar_t* p = raw; *p && n < limit; ++p)
        if (*p != L'&')
            text[n++] = *p;
    text[n] = 0;
    return n;
}

void TrackToolTip(HWND bar, bool attached, POINT at)
{
    if (Toolbar.buttonCount <= 0)
        return;
    const int index = HitToolbarButton(Toolbar, attached, at.x, at.y, ToolbarFaces.small);
    if (index < 0) {
        DestroyToolTip();
        return;
    }
    const ToolbarRect b = attached ? AttachedButtonRect(Toolbar, index, ToolbarFaces.small)
                                   : Toolbar.buttons[index].rect;
    const RECT rect{b.left, b.top, b.right, b.bottom};
    if (EqualRect(&rect, &g_tipRect))
        return;
    DestroyToolTip();
    wchar_t text[kToolTipUnits + 1];
    const int n = ToolTipText(Toolbar, index, text, kToolTipUnits + 1);
    if (n <= 0)
        return;
    g_tipRect = rect;
    POINT corner{rect.right - 5, rect.bottom - 5};
    ClientToScreen(bar, &corner);
    SIZE extent{0, 0};
    if (HDC dc = GetDC(bar)) {
        GetTextExtentPoint32W(dc, text, n, &extent);
        ReleaseDC(bar, dc);
    }
    g_tip = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kToolTipClass, text, WS_POPUP, corner.x, corner.y,
                            extent.cx, extent.cy, MainWindowHandle, nullptr, InstanceHandle, nullptr);
    Countdowns.tooltip = kToolTipDelay;
}

void ShowToolTip()
{
    if (!g_tip)
        return;
    ShowWindow(g_tip, SW_SHOWNOACTIVATE);
    UpdateWindow(g_tip);
}

void DestroyToolTip()
{
    Countdowns.tooltip = 0;
    if (g_tip) {
        HWND tip = g_tip;
        g_tip = nullptr;
        DestroyWindow(tip);
    }
    g_tipRect = RECT{-1, -1, -1, -1};
}
