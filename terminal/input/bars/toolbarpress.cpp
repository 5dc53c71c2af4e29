// The bars' paint and mouse messages: a button drawn pressed while the left button is
// held on it and run when it is released over it, and on the attached toolbar outside
// the buttons a dragged outline of the bar.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/bars/toolbarlayout.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/bars/toolbarstate.h"
#include "terminal/settings/store/setuptext.h"

bool ButtonBarDialogOpen = false;

namespace {
// Macro-string input events: a button's text is typed as a key definition's would be.
constexpr int kMacroStringEvent = 4;
// The longest text a button types, decoded.
constexpr int kTypedUnits = 253;

enum class Outline { None, Toolbar, Floating };

struct PressState {
    u32 mask = 0;  // 1 while the left button is held on a button or the bar
    HWND bar = nullptr;
    int button = -1;
    ToolbarButton kept;  // the pressed button as it was when pressed
    RECT keptRect{};
    bool drawnPressed = false;
    bool dragging = false;
    Outline shape = Outline::None;
    bool outlineDrawn = false;
    RECT outline{};  // screen coordinates
    POINT grab{}, last{};
};
PressState g;

bool Blocked()
{
    return ButtonBarDialogOpen || ModalOpen.load() != 0;
}

RECT ButtonRect(bool attached, int index)
{
    const ToolbarRect r = attached ? AttachedButtonRect(Toolbar, index, ToolbarFaces.small)
                                   : Toolbar.buttons[index].rect;
    return RECT{r.left, r.top, r.right, r.bottom};
}

void DrawOne(HWND bar, const ToolbarButton& button, const RECT& rect, bool pressed)
{
    if (HDC dc = GetDC(bar)) {
        DrawToolbarButton(dc, Toolbar, button, rect, pressed);
        ReleaseDC(bar, dc);
    }
}

void Paint(HWND window, bool attached)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    for (int i = 0; i < Toolbar.buttonCount && i < kToolbarButtonSlots; ++i) {
        const bool pressed = g.drawnPressed && g.bar == window && g.button == i;
        DrawToolbarButton(dc, Toolbar, Toolbar.buttons[i], ButtonRect(attached, i), pressed);
    }
    EndPaint(window, &ps);
}

void RunButton(const ToolbarButton& button)
{
    if (button.text[0]) {
        wchar16 typed[kTypedUnits + 1];
        DecodeSetupText(typed, button.text, kTypedUnits);
        QueueStringEventZ(typed, kMacroStringEvent);
        return;
    }
    const i32 command = ToolbarActionCommand(Toolbar, static_cast<int>(button.action));
    if (command > 0 && MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

// The outline is drawn on the screen window, inverted, so drawing it again erases it.
void DrawOutline()
{
    if (!ScreenWindowHandle)
        return;
    RECT r = g.outline;
    MapWindowPoints(nullptr, ScreenWindowHandle, reinterpret_cast<POINT*>(&r), 2);
    if (HDC dc = GetDC(ScreenWindowHandle)) {
        DrawFocusRect(dc, &r);
        ReleaseDC(ScreenWindowHandle, dc);
    }
    g.outlineDrawn = !g.outlineDrawn;
}

bool PointInWindow(HWND window, POINT screen)
{
    RECT r;
    return window && GetWindowRect(window, &r) && PtInRect(&r, screen);
}

void StartDrag(HWND bar, POINT at)
{
    RECT bounds, client{};
    GetWindowRect(bar, &bounds);
    if (MainWindowHandle && GetClientRect(MainWindowHandle, &client) && bounds.right - bounds.left > client.right)
        bounds.right = bounds.left + client.right;
    g.dragging = true;
    g.mask = 1;
    g.bar = bar;
    g.shape = Outline::Toolbar;
    g.grab = at;
    g.outline = bounds;
    g.last = at;
    ClientToScreen(bar, &g.last);
    DrawOutline();
    SetCapture(bar);
}

void MoveDrag(POINT screen)
{
    if (g.outlineDrawn)
        DrawOutline();
    RECT& o = g.outline;
    if (g.shape == Outline::Toolbar && PointInWindow(ScreenWindowHandle, screen)) {
        const ToolbarRect& f = Bars.floatingRect;
        const int fw = f.right - f.left, fh = f.bottom - f.top;
        o.left = screen.x - fw / 2;
        o.top = screen.y - g.grab.y;
        o.right = o.left + fw;
        o.bottom = o.top + fh;
        g.shape = Outline::Floating;
    } else if (g.shape == Outline::Floating && PointInWindow(Bars.attached, screen)) {
        RECT bar;
        GetWindowRect(Bars.attached, &bar);
        RECT client{};
        GetClientRect(MainWindowHandle, &client);
        o.left = screen.x - g.grab.x;
        o.top = screen.y - g.grab.y;
        o.right = o.left + (client.right ? client.right : bar.right - bar.left);
        o.bottom = o.top + (bar.bottom - bar.top);
        g.shape = Outline::Toolbar;
    } else {
        OffsetRect(&o, screen.x - g.last.x, screen.y - g.last.y);
    }
    g.last = screen;
    DrawOutline();
}

void EndDrag()
{
    if (g.outlineDrawn)
        DrawOutline();
    g.dragging = false;
    g.shape = Outline::None;
    g.mask = 0;
    g.bar = nullptr;
    if (GetCapture())
        ReleaseCapture();
}

void Press(HWND bar, bool attached, POINT at)
{
    if (g.mask || g.dragging)
        return;
    const int i = HitToolbarButton(Toolbar, attached, at.x, at.y, ToolbarFaces.small);
    if (i < 0) {
        if (attached)
            StartDrag(bar, at);
        return;
    }
    g.mask = 1;
    g.bar = bar;
    g.button = i;
    g.kept = Toolbar.buttons[i];
    g.keptRect = ButtonRect(attached, i);
    g.drawnPressed = true;
    DrawOne(bar, g.kept, g.keptRect, true);
    SetCapture(bar);
}

// Ends a press on `bar` with the pointer at `at` (the bar's client coordinates).
void Release(HWND bar, POINT at)
{
    if (g.dragging) {
        EndDrag();
        return;
    }
    if (!g.mask || g.bar != bar)
        return;
    const bool leftOnly = g.mask == 1;
    g.mask = 0;
    g.bar = nullptr;
    if (GetCapture() == bar)
        ReleaseCapture();
    if (leftOnly && g.drawnPressed)
        DrawOne(bar, g.kept, g.keptRect, false);
    g.drawnPressed = false;
    g.button = -1;
    if (PtInRect(&g.keptRect, at))
        RunButton(g.kept);
}
}  // namespace

bool HandleBarMessage(HWND window, UINT message, WPARAM, LPARAM lParam, bool attached, LRESULT* result)
{
    *result = 0;
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_PAINT: Paint(window, attached); return true;
    case WM_MOUSEMOVE:
        if (g.dragging) {
            POINT screen = at;
            ClientToScreen(window, &screen);
            MoveDrag(screen);
        } else if (!Blocked()) {
            TrackToolTip(window, attached, at);
        }
        return true;
    case WM_LBUTTONDOWN:
        DestroyToolTip();
        if (!Blocked())
            Press(window, attached, at);
        return true;
    case WM_LBUTTONUP:
        DestroyToolTip();
        Release(window, at);
        return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: DestroyToolTip(); return true;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the press ends without running anything.
        if (g.dragging && reinterpret_cast<HWND>(lParam) != window)
            EndDrag();
        else if (g.mask && g.bar == window && reinterpret_cast<HWND>(lParam) != window)
            Release(window, POINT{-1, -1});
        return true;
    default: return false;
    }
}

void DrawToolbarButton(HDC dc, const ToolbarTables& tables, const ToolbarButton& button, const RECT& rect,
                       bool pressed)
{
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return;
    auto copy = [&](HBITMAP bitmap, int x, int y, int width, int height) {
        BITMAP info{};
        if (!bitmap || GetObjectW(bitmap, sizeof info, &info) != sizeof info)
            return;
        HGDIOBJ old = SelectObject(memory, bitmap);
        StretchBlt(dc, x, y, width, height, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(memory, old);
    };
    const int face = ToolbarFaceIndex(w, ToolbarFaces);
    if (face >= 0)
        copy(pressed ? Bars.faceDown[face] : Bars.faceUp[face], rect.left, rect.top, w, h);
    if (button.image < static_cast<u32>(kToolbarImageSlots)) {
        const int inset = pressed ? 3 : 2;
        copy(tables.images[button.image].bitmap, rect.left + inset, rect.top + inset, w - 5, h - 5);
    }
    DeleteDC(memory);
}

bool TrackToolbarDrag(HWND window, WPARAM keyFlags, POINT at)
{
    if (!g.dragging)
        return false;
    if (keyFlags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) {
        ClientToScreen(window, &at);
        MoveDrag(at);
    }
    return true;
}

void ToolbarButtonUp(HWND window, POINT at, int)
{
    if (!g.mask || g.dragging || !g.bar || window == g.bar)
        return;
    MapWindowPoints(window, g.bar, &at, 1);
    Release(g.bar, at);
}

void ClearToolbarPressed(POINT, int button)
{
    if (g.dragging) {
        EndDrag();
        return;
    }
    if (button == 1)
        g.mask &= ~1u;
}
