#include "terminal/core/screenwindow.h"

#include "terminal/core/mainwindow.h"
#include "terminal/core/painting.h"
#include "terminal/core/scrollback.h"
#include "terminal/core/statusbar.h"

HWND ScreenWindowHandle = nullptr;

namespace {
constexpr wchar_t kScreenClass[] = L"vexaNT0";

void PlaceScreenWindow()
{
    if (!ScreenWindowHandle || !MainWindowHandle)
        return;
    RECT client;
    GetClientRect(MainWindowHandle, &client);
    const int width = client.right - ScrollBarWidth();
    const int height = client.bottom - GetStatusBarHeight();
    if (width > 0 && height > 0)
        MoveWindow(ScreenWindowHandle, 0, 0, width, height, TRUE);
}
}  // namespace

bool RegisterScreenWindowClass(HINSTANCE instance)
{
    WNDCLASSW wc{};
    wc.style = CS_BYTEALIGNCLIENT | CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ScreenWndProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kScreenClass;
    return RegisterClassW(&wc) != 0;
}

HWND CreateScreenWindow(HINSTANCE instance)
{
    ScreenWindowHandle = CreateWindowExW(0, kScreenClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS, 0, 0,
                                         0, 0, MainWindowHandle, nullptr, instance, nullptr);
    PlaceScreenWindow();
    return ScreenWindowHandle;
}

LRESULT CALLBACK ScreenWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRectBackground(dc, &ps.rcPaint);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ShowScreenChildren()
{
    ShowScrollBarWindow();
    ShowStatusBarWindow();
    if (ScreenWindowHandle)
        ShowWindow(ScreenWindowHandle, SW_SHOW);
}

void PrepareScreenWindow()
{
    PlaceScreenWindow();
    StatusBarRefresh();
}

void LayoutTerminalArea(HWND)
{
    StatusBarResize();
    PlaceScreenWindow();
}

int CreateScreenPalette()
{
    return 1;
}

LRESULT QueryNewPalette(HWND)
{
    return 0;
}

void PaletteChanged(HWND, HWND) {}
