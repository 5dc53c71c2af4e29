// Pictures through the clipboard: in graphics mode the user drags an inverted rectangle
// over the terminal area and copies it as a bitmap, as it is or reduced to black and
// white; a clipboard bitmap can be drawn onto the terminal area.
#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/paint/damage.h"
#include "terminal/core/paint/geometry.h"
#include "terminal/core/window/selection/monoreduce.h"
#include "terminal/core/paint/picture.h"
#include "terminal/core/paint/screendc.h"

namespace {

POINT g_start{0, 0}, g_far{0, 0};
bool g_shown = false;  // the rectangle is inverted on the screen

RECT Normalised(POINT a, POINT b)
{
    return RECT{a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x, a.y < b.y ? b.y : a.y};
}

// The terminal area's coordinates, one pixel beyond its size allowed.
POINT ClampToTerminalArea(POINT at)
{
    int width = 0, height = 0;
    GetTerminalPixelSize(&width, &height);
    at.x = at.x < 0 ? 0 : at.x > width ? width : at.x;
    at.y = at.y < 0 ? 0 : at.y > height ? height : at.y;
    return at;
}

// The rectangle shows inverted on the window only. The picture keeps its true pixels, so
// that rows painted while it shows (host output already taken, a blink, a repaint) stay
// right when it goes, and a copy takes the picture as it is.
void ShowInverted(const RECT& r)
{
    {
        ScreenPaintGuard guard;
        SetPictureInversion(r);
    }
    DamagePictureTouched();
}

}  // namespace

bool GraphicsSelectionPresent()
{
    return g_shown && (g_start.x != g_far.x || g_start.y != g_far.y);
}

void BeginGraphicsSelection(POINT at)
{
    ClearGraphicsSelection();
    g_start = g_far = ClampToTerminalArea(at);
    g_shown = true;
}

void ExtendGraphicsSelection(POINT at)
{
    if (!g_shown)
        return;
    const POINT corner = ClampToTerminalArea(at);
    g_far = corner;
    ShowInverted(Normalised(g_start, g_far));
    SetKeyboardLocked(GraphicsSelectionPresent());
}

void SelectAllGraphics()
{
    int width = 0, height = 0;
    GetTerminalPixelSize(&width, &height);
    BeginGraphicsSelection(POINT{0, 0});
    ExtendGraphicsSelection(POINT{width, height});
}

void ClearGraphicsSelection()
{
    if (!g_shown)
        return;
    ShowInverted(RECT{});
    g_shown = false;
    g_start = g_far = POINT{0, 0};
    SetKeyboardLocked(false);
}

void EndGraphicsSelection()
{
    if (GraphicsPasteMode())
        ClearGraphicsSelection();
}

void CopyScreenBitmap(HWND window, bool swap, bool mono)
{
    if (!GraphicsSelectionPresent() || !ScreenDC)
        return;
    const RECT r = Normalised(g_start, g_far);
    const int width = r.right - r.left, height = r.bottom - r.top;
    ClearGraphicsSelection();
    HDC memory = CreateCompatibleDC(ScreenDC);
    // Compatible with the window, not with the picture: a bitmap made for the picture's
    // memory context is a DIB section, which the clipboard does not take as a bitmap.
    HDC windowDc = ScreenWindowHandle ? GetDC(ScreenWindowHandle) : nullptr;
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(windowDc ? windowDc : ScreenDC, width, height) : nullptr;
    if (windowDc)
        ReleaseDC(ScreenWindowHandle, windowDc);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        {
            ScreenPaintGuard guard;
            BitBlt(memory, 0, 0, width, height, ScreenDC, r.left, r.top, SRCCOPY);
        }
        if (mono)
            ReduceBitmapToMonoInverse(memory, width, height, swap);
        else if (swap)
            ReduceBitmapToMono(memory, width, height);
        SelectObject(memory, old);
        if (OpenClipboard(window)) {
            EmptyClipboard();
            if (SetClipboardData(CF_BITMAP, bitmap))
                bitmap = nullptr;  // the clipboard owns it now
            CloseClipboard();
        }
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    UpdateEditMenu();
}

void PasteBitmap(HWND window, int x, int y)
{
    if (!ScreenDC || !OpenClipboard(window))
        return;
    if (HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        BITMAP info{};
        HDC memory = CreateCompatibleDC(ScreenDC);
        if (memory && GetObjectW(bitmap, sizeof info, &info)) {
            HGDIOBJ old = SelectObject(memory, bitmap);
            const POINT at = ClampToTerminalArea(POINT{x, y});
            int width = 0, height = 0;
            GetTerminalPixelSize(&width, &height);
            // Clipped to the terminal area; the screen store is not changed.
            const int w = at.x + info.bmWidth > width ? width - at.x : info.bmWidth;
            const int h = at.y + info.bmHeight > height ? height - at.y : info.bmHeight;
            ScreenPaintGuard guard;
            BitBlt(ScreenDC, at.x, at.y, w, h, memory, 0, 0, SRCCOPY);
            DamagePictureTouched();
            SelectObject(memory, old);
        }
        if (memory)
            DeleteDC(memory);
    }
    CloseClipboard();
}
