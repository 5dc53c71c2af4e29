#include "terminal/core/window/screenwindow.h"

#include "terminal/core/base/cursors.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/frame.h"
#include "terminal/core/paint/geometry.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/window/layout.h"
#include "terminal/core/window/mouse/mouse.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/scrollback.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/core/base/family.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/settings/store/colours.h"

namespace {

constexpr wchar_t kScreenClass[] = L"vexaNT0";
SIZE g_lastSize{-1, -1};

POINT PointOf(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Rows and columns a rectangle of the screen window touches.
void RectToCells(const RECT& r, int* r0, int* c0, int* r1, int* c1)
{
    const int h = BaseLineHeight > 0 ? BaseLineHeight : 1, w = BaseCellWidth > 0 ? BaseCellWidth : 1;
    *r0 = r.top / h;
    *r1 = r.bottom > r.top ? (r.bottom - 1) / h : *r0;
    *c0 = r.left / w;
    *c1 = r.right > r.left ? (r.right - 1) / w : *c0;
}

void OnPaint(HWND window)
{
    // The window shows the picture; the picture is painted by the frames.
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!Iconic)
        PaintWindowFromPicture(dc, ps.rcPaint);
    EndPaint(window, &ps);
    InvalidateScrollBar();
    InvalidateStatusBar();
}

void OnSize(LPARAM lParam)
{
    g_lastSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
    if (!Iconic && g_lastSize.cx > 0 && g_lastSize.cy > 0) {
        {
            ScreenPaintGuard guard;
            RealizePaletteInto(ScreenDC, true);
            SetTerminalClipRect();
            InvalidateColourCache();
        }
        SizeFrames(g_lastSize.cx, g_lastSize.cy);
        FillWindowBackground();
        // The picture of the new size is painted before the window shows it.
        if (!ProfileLoadInProgress && !FamilyPaintingHeld())
            ComposeFrame();
    }
    InvalidateScrollBar();
    InvalidateStatusBar();
}

bool MouseIgnored()
{
    // A family's own window (a printer session's) has the mouse.
    return FamilyWindowTakesKeys();
}

}  // namespace

bool RegisterScreenWindowClass(HINSTANCE instance)
{
    WNDCLASSW wc{};
    wc.style = CS_BYTEALIGNCLIENT | CS_OWNDC;
    wc.lpfnWndProc = ScreenWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kScreenClass;
    return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateScreenWindow(HINSTANCE instance)
{
    RECT client;
    GetClampedClientRect(MainWindowHandle, &client);
    const int top = GetToolbarHeight();
    const int width = client.right - (StartupOptions.scrollBar ? GetSystemMetrics(SM_CXVSCROLL) : 0) + 1;
    const int height = client.bottom - top - GetStatusBarHeight() + 1;
    ScreenWindowHandle = CreateWindowExW(0, kScreenClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS, 0, top,
                                         width > 0 ? width : 1, height > 0 ? height : 1, MainWindowHandle, nullptr,
                                         instance, nullptr);
    if (ScreenWindowHandle && !StartFrames(ScreenWindowHandle)) {
        DestroyWindow(ScreenWindowHandle);
        ScreenWindowHandle = nullptr;
    }
    return ScreenWindowHandle;
}

void PlaceScreenWindow()
{
    if (!ScreenWindowHandle || !MainWindowHandle)
        return;
    int width, height, x, y;
    GetTerminalPixelSize(&width, &height);
    PlaceTerminalArea(&x, &y, width, height);
    if (width <= 0 || height <= 0)
        return;
    if (width != g_lastSize.cx || height != g_lastSize.cy) {
        // The WM_SIZE that follows repaints.
        MoveWindow(ScreenWindowHandle, x, y, width, height, FALSE);
    } else {
        MoveWindow(ScreenWindowHandle, x, y, width, height, FALSE);
        InvalidateRect(ScreenWindowHandle, nullptr, FALSE);
    }
    // The main window's background around the terminal area.
    InvalidateRect(MainWindowHandle, nullptr, FALSE);
}

void PaintScreenWindow(HWND, const RECT* rect)
{
    if (ProfileLoadInProgress)
        return;
    if (!rect) {
        InvalidateTerminal();
        return;
    }
    int r0, c0, r1, c1;
    RectToCells(*rect, &r0, &c0, &r1, &c1);
    RepaintScreenRegion(r0, c0, r1, c1);
}

LRESULT CALLBACK ScreenWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // clang-format off
    switch (message) {
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case kMsgComposeFrame:
        OnFrameRequested();
        return 0;
    case WM_TIMER:
        if (wParam == kTimerFrame) {
            OnFrameRequested();
            return 0;
        }
        break;
    case WM_SIZE:
        OnSize(lParam);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint fills the background itself
    case WM_SETCURSOR:
        if (ConnectionStartState == 3) {
            SetCursor(WaitCursor ? WaitCursor : LoadCursorW(nullptr, IDC_WAIT));
            return 1;
        }
        return 0;
    case WM_MOUSEMOVE:
        if (MouseIgnored())
            return 0;
        DestroyToolTip();
        MouseMove(window, wParam, PointOf(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        if (MouseIgnored())
            return 0;
        const int button = message == WM_MBUTTONDOWN ? kButtonMiddle
                           : message == WM_RBUTTONDOWN ? kButtonRight : kButtonLeft;
        MouseButtonDown(window, wParam, PointOf(lParam), ButtonActsAsMiddle(wParam, button) ? kButtonMiddle : button);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if (MouseIgnored())
            return 0;
        const int button = message == WM_MBUTTONUP ? kButtonMiddle : message == WM_RBUTTONUP ? kButtonRight : kButtonLeft;
        MouseButtonUp(window, wParam, PointOf(lParam), ButtonActsAsMiddle(wParam, button) ? kButtonMiddle : button);
        return 0;
    }
    }
    // clang-format on
    return DefWindowProcW(window, message, wParam, lParam);
}

void ShowScreenChildren()
{
    ShowStatusBarWindow();
    ResetScrollRange();
    if (ScreenWindowHandle)
        ShowWindow(ScreenWindowHandle, SW_SHOW);
}

void PrepareScreenWindow()
{
    // The profile loaded by the terminal initialisation may have changed the colours.
    ApplyEmulationPalette();
    RealizeScreenPalette(ScreenWindowHandle);
    ResetScrollRange();
    RefitScreenFont();
    PlaceScreenWindow();
    FillScreenBackground(nullptr);
    RepaintScreenRegion(0, 0, kMaxVtRows, kStoreColumns - 1);
    StatusBarRefresh();
    UpdateScrollThumb();
}

void MainWindowSized(HWND mainWindow)
{
    RECT window;
    GetWindowRect(mainWindow, &window);
    LayoutTerminalArea(PackWindowSize(window.right - window.left, window.bottom - window.top), false);
    if (StartupOptions.scrollBar)
        ResetScrollRange();
    PlaceScrollBar();
    StatusBarResize();
    PositionSoftButtonBar();
    PlaceScreenWindow();
}

void RefitScreenFont()
{
    if (MainWindowHandle && GetWindowThreadProcessId(MainWindowHandle, nullptr) != GetCurrentThreadId()) {
        PostMessageW(MainWindowHandle, kMsgRefitScreenFont, 0, 0);
        return;
    }
    // The ANSI consoles and the families with fonts of their own keep theirs.
    if (IsAnsiConsoleFamily(EmulationId) || ActiveFamily().keepsFontOnRefit)
        return;
    InvalidateFontCache();
    ForgetLayout();
    RECT window{0, 0, 800, 600};
    if (MainWindowHandle)
        GetWindowRect(MainWindowHandle, &window);
    LayoutTerminalArea(PackWindowSize(window.right - window.left, window.bottom - window.top), true);
}

void ResizeWindowToRows(int rows)
{
    if (MainWindowHandle && GetWindowThreadProcessId(MainWindowHandle, nullptr) != GetCurrentThreadId()) {
        PostMessageW(MainWindowHandle, kMsgResizeToRows, static_cast<WPARAM>(rows), 0);
        return;
    }
    SetScreenRowsKeepCursor(rows);
}

int CreateScreenPalette()
{
    // Until a profile has set them, the screen shows the factory colours.
    bool anySet = false;
    for (u8 b : AttributeColourTable.frg)
        anySet = anySet || b != 0;
    if (!anySet)
        SetFactoryAttributeColours();
    if (VtPalette == HlsPalette{})
        VtPalette = FactoryVtPalette(Colours.bwswap != 0);
    if (VtAnsiPalette == HlsPalette{})
        VtAnsiPalette = kFactoryVtAnsiPalette;
    ApplyEmulationPalette();
    return CreateProgramPalette();
}

void RealizeScreenPalette(HWND window)
{
    if (!ProgramPalette || !window)
        return;
    if (window == ScreenWindowHandle) {
        ScreenPaintGuard guard;
        RealizePaletteInto(ScreenDC, true);
        return;
    }
    HDC dc = GetDC(window);
    RealizePaletteInto(dc, true);
    ReleaseDC(window, dc);
}

void ApplyEmulationPalette()
{
    // The settings convert the active emulation's HLS palette into the terminal palette.
    ApplyColourPalette();
}

LRESULT QueryNewPalette(HWND)
{
    ApplyEmulationPalette();
    if (!ProgramPalette)
        return 0;
    int changed;
    {
        ScreenPaintGuard guard;
        changed = RealizePaletteInto(ScreenDC, true);
    }
    if (changed)
        InvalidateTerminal();
    return changed ? 1 : 0;
}

void PaletteChanged(HWND window, HWND changedBy)
{
    if (changedBy == window || changedBy == MainWindowHandle || changedBy == ScreenWindowHandle)
        return;
    // The picture's colours are mapped again when it is painted again.
    if (ProgramPalette && ScreenDC)
        InvalidateTerminal();
}
