// The main window procedure: it wakes the host-data thread on every message and routes
// socket events, connection failures, beeps, keys, commands and the host emulations'
// own notifications.
#include "terminal/core/base/menus.h"
#include "terminal/core/host/gateevents.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/program/mainwindow.h"

#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/program/commands.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/window/dialogs/dialogs.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/host/attention.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/session/instances.h"
#include "terminal/input/keyboard/kbhookbind.h"
#include "terminal/core/window/messageloop.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/window/screenwindow.h"
#include "terminal/core/window/scrollback.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/window/bell.h"
#include "terminal/core/window/timers.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/core/program/shutdown.h"
#include "terminal/comms/capture/loginscript.h"
#include "terminal/core/window/keyfilter.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

bool g_closing = false;

void CloseMainWindow(HWND window, WPARAM wParam)
{
    if (g_closing)
        return;
    if (InsideMessagePump()) {
        // Long work on this thread is still using what shut-down would free.
        DeferClose(wParam);
        return;
    }
    const bool networkOpen = NetworkConnectionOpen();
    if (wParam == 0 && networkOpen && !ConfirmClose(StartupOptions.warnOnExit))
        return;
    g_closing = true;
    // Every worker stops before anything it writes into is released.
    StopHostDataThread();
    StopWorkerThreads();
    CloseAllSessions();
    DestroyToolbarWindows();
    ShutdownTerminal(0);
    DestroyWindow(window);
    if (networkOpen)
        ConnectionLost = 1;
    WindowHidden = 1;
    QuitRequested = 1;
}

}  // namespace

LRESULT MainSysCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (wParam & 0xFFF0) {
    case SC_MINIMIZE: RememberedWindowState = 2; break;
    case SC_MAXIMIZE: RememberedWindowState = 1; break;
    case SC_RESTORE: RememberedWindowState = 0; break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int MainSetFocus(HWND window, HWND previous)
{
    if (StartingUp || ProfileLoadInProgress)
        return 1;
    RestoreHostThreadPriority();
    HideCursorForUpdate();
    if (IsButtonBarWindow(previous))
        return 0;
    EnsureTickTimer(window);
    SetLoginScriptPriority(THREAD_PRIORITY_NORMAL);
    if (!HasFocus && WindowHidden)
        WindowHidden = 0;
    HasFocus = 1;
    RearmNumLockProtection(NumLockProtectionSetting());
    NotifyConnectingThreadOfFocus();
    return 1;
}

int MainKillFocus(HWND window, HWND next)
{
    if (ConnectingDialogShown())
        return 1;
    if (StartingUp || ProfileLoadInProgress)
        return 1;
    HasFocus = 0;
    HideCursorForUpdate();
    if (IsButtonBarWindow(next))
        return 0;
    DestroyToolTip();
    ClearSelectionOnFocusLoss();
    ClearPendingKeyState();
    LowerHostThreadPriority();
    SetLoginScriptPriority(THREAD_PRIORITY_BELOW_NORMAL);
    SuspendNumLockProtection();
    return 1;
}

namespace {
// Only the VT and ANSI family scroll back with the wheel, and not under a modal dialog.
void WheelScroll(int delta)
{
    // The wheel pans the shared store's history, unless the family keeps it still.
    const FamilyHooks& family = ActiveFamily();
    if (family.display || ModalOpen || (family.wheelPans && !family.wheelPans()))
        return;
    int lines = delta / WHEEL_DELTA;
    lines = lines < 0 ? -lines : lines;
    if (lines == 0)
        lines = 1;
    PanHistoryView(delta > 0 ? lines : -lines);
}
}  // namespace

void MouseWheel(WPARAM wParam)
{
    WheelScroll(static_cast<short>(HIWORD(wParam)));
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Whatever the message brings (a key, a menu, a scroll-back) is seen by the reader
    // before its next byte, and a waiting reader wakes.
    AttendHostReader(kAttendInput);
    if (ActivityEvent)
        SetEvent(ActivityEvent);
    if (ShuttingDown && message != WM_DESTROY)
        return DefWindowProcW(window, message, wParam, lParam);
    Iconic = WindowHidden ? 1 : IsIconic(window) != 0;

    struct Busy {
        Busy() { InWindowProc = 1; }
        ~Busy() { InWindowProc = 0; }
    } busy;

    // clang-format off
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        if (StartingUp || ProfileLoadInProgress)
            return 0;
        // Bars that waited while the program started minimised show with the window.
        if (wParam != SIZE_MINIMIZED) {
            ShowToolbarWindows(false);
            ShowSoftButtonBar(false);
        }
        MainWindowSized(window);
        if (RememberedWindowState == 0 && !IsIconic(window) && !IsZoomed(window)) {
            RECT r;
            GetWindowRect(window, &r);
            SavedWindowRect.width = r.right - r.left;
            SavedWindowRect.height = r.bottom - r.top;
        }
        return 0;
    case WM_SETFOCUS:
        MainSetFocus(window, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_KILLFOCUS:
        MainKillFocus(window, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRectBackground(dc, &ps.rcPaint);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_CLOSE:
        CloseMainWindow(window, wParam);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        HideCursorForUpdate();
        ReapplyKeyboardLock();
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_CHAR:
        HideCursorForUpdate();
        if (FamilyWindowTakesKeys())
            return DefWindowProcW(window, message, wParam, lParam);
        HandleCharMessage(static_cast<u32>(wParam));
        return 0;
    case WM_COMMAND:
        return MainCommand(window, wParam, lParam);
    case WM_SYSCOMMAND:
        return MainSysCommand(window, message, wParam, lParam);
    case WM_TIMER:
        if (wParam == kCmdConnect) {
            ConnectionRetryTimer(window);
            return 0;
        }
        TimerProc(window, WM_TIMER, wParam, GetTickCount());
        return 0;
    case WM_VSCROLL:
        HideCursorForUpdate();
        EndGraphicsSelection();
        DispatchScrollBarCommand(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        DestroyToolTip();
        return 0;
    case WM_MOUSEWHEEL:
        MouseWheel(wParam);
        return 0;
    case WM_ENTERMENULOOP:
        if (MenuPollCount == 0) {
            MenuPollCount = 1;
            MenuActive = 1;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_EXITMENULOOP:
        StartMenuLoopWatcher();
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_QUERYNEWPALETTE:
        return QueryNewPalette(window);
    case WM_PALETTECHANGED:
        PaletteChanged(window, reinterpret_cast<HWND>(wParam));
        return 0;
    case kMsgBeep:
        BeepSound(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
        return 0;
    case kMsgSocketEvent:
        SocketEvent(wParam, lParam);
        return 0;
    case kMsgConnectFailure:
        ShowConnectError(static_cast<i32>(wParam));
        UpdateWindowTitle(window);
        UpdateConnectionMenu();
        return 0;
    case WM_APP:
        return 0;
    case kMsgResizeToRows:
        ResizeWindowToRows(static_cast<int>(wParam));
        return 0;
    case kMsgScrollBarRefresh:
        ServeScrollBarRefresh();
        return 0;
    case kMsgRefitScreenFont:
        RefitScreenFont();
        return 0;
    case kMsgUiRequest:
        HandleUiRequest(wParam, lParam);
        return 0;
    case WM_APP + 2:
    case WM_APP + 3:
        // A family's own notifications (its printer session's window).
        if (auto handle = ActiveFamily().windowMessage)
            handle(message, static_cast<std::intptr_t>(lParam));
        return 0;
    default:
        if (WheelRollMessage && message == WheelRollMessage) {
            WheelScroll(static_cast<int>(wParam));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // clang-format on
}
