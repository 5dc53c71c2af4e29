#include "terminal/core/program/mainwindow.h"

#include "terminal/core/base/cursors.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/screen/codepagefiles.h"

#include "terminal/core/host/gateevents.h"
#include "terminal/core/base/displaymetrics.h"
#include "terminal/core/program/commands.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/core/window/dialogs/ctl3d.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/session/instances.h"
#include "terminal/input/keyboard/kbhookbind.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/screenwindow.h"
#include "terminal/core/window/scrollback.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/base/stringids.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/window/bell.h"
#include "terminal/core/window/timers.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/program/shutdown.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/mouseactions.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/store/versionstamp.h"

HCURSOR WaitCursor = nullptr, ArrowCursor = nullptr, MouseCursor = nullptr;
UINT WheelRollMessage = 0;

namespace {
constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
constexpr wchar_t kClassName[] = L"vexaNT";
constexpr int kIconId = 700;

RECT DefaultPlacement()
{
    RECT work{0, 0, kDefaultWidth, kDefaultHeight};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.left + kDefaultWidth, work.top + kDefaultHeight};
}
}  // namespace

ATOM RegisterMainClass(UINT style, HINSTANCE instance, WNDPROC procedure, const wchar_t* className,
                       const wchar_t* iconName)
{
    WNDCLASSW wc{};
    wc.style = style | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = iconName ? LoadIconW(instance, iconName) : nullptr;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = className;
    return RegisterClassW(&wc);
}

DWORD MainWindowStyle()
{
    StartupOptionValues& o = StartupOptions;
    if (o.fullScreen)
        return WS_POPUP | WS_MAXIMIZE | WS_CLIPCHILDREN;
    DWORD style = WS_POPUP;
    if (o.sizableFrame)
        style |= WS_THICKFRAME;
    if (o.caption) {
        style |= WS_CAPTION;
        if (o.systemMenu)
            style |= WS_SYSMENU;
        if (o.minimiseBox)
            style |= WS_MINIMIZEBOX;
        if (o.maximiseBox)
            style |= WS_MAXIMIZEBOX;
    } else {
        o.systemMenu = o.minimiseBox = o.maximiseBox = 0;
    }
    return style | WS_CLIPCHILDREN;
}

int CreateMainWindow(HINSTANCE instance, HINSTANCE previous, int showCommand)
{
    QuitRequested = 0;
    InitProfileSelection();
    PrepareSoftButtonBar();

    if (!RegisterMainClass(CS_DBLCLKS, instance, MainWndProc, kClassName, MAKEINTRESOURCEW(kIconId))) {
        MessageBoxById(kStrInitialisationError);
        return 0;
    }
    WaitCursor = LoadCursorW(nullptr, IDC_WAIT);
    ArrowCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Cursor option 10 asks for no cursor at all over the screen.
    MouseCursor = StartupOptions.mouseCursor ? LoadCursorW(nullptr, MAKEINTRESOURCEW(StartupOptions.mouseCursor))
                                             : nullptr;
    ReadSystemMetrics();
    if (!StartupOptions.scrollBar)
        Metrics.scrollBarWidth = 0;
    if (!StartupOptions.menuBar)
        Metrics.menuHeight = 0;

    const DWORD style = MainWindowStyle();
    const RECT placement = DefaultPlacement();
    // A floating soft-button bar stands under a window of the default size and the two
    // together take that height.
    const int startHeight = kDefaultHeight - FloatingSoftBarStartHeight();
    ActivityEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);

    HWND window = CreateWindowExW(0, kClassName, Slots.windowTitle, style, placement.left, placement.top,
                                  kDefaultWidth, startHeight, nullptr, nullptr, instance, nullptr);
    MainWindowHandle = window;
    if (window) {
        MarkUserInterfaceThread();
        if (!BuildMenus(window, instance)) {
            MessageBoxById(kStrCannotLoadMenu);
            PostQuitMessage(0);
            return 0;
        }
        if (StartupOptions.menuBar && Menus.bar)
            SetMenu(window, Menus.bar);
    }
    if (!window || InitMainWindow(previous, instance, window) == -1) {
        MessageBoxById(kStrCannotCreateWindow);
        return 0;
    }
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kCmdConnect, StartupOptions.startMode),
                 reinterpret_cast<LPARAM>(window));

    if (!StartupOptions.closeItem)
        DeleteMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);

    const bool moved = SavedWindowRect.x != placement.left || SavedWindowRect.y != placement.top ||
                       SavedWindowRect.width != kDefaultWidth || SavedWindowRect.height != kDefaultHeight;
    if (moved)
        SetWindowPos(window, HWND_NOTOPMOST, SavedWindowRect.x, SavedWindowRect.y, SavedWindowRect.width,
                     SavedWindowRect.height == kDefaultHeight ? startHeight : SavedWindowRect.height,
                     SWP_HIDEWINDOW);

    int show = showCommand;
    if (RememberedWindowState == 1 || StartupOptions.startState == 3)
        show = SW_MAXIMIZE;
    else if (RememberedWindowState == 2 || StartupOptions.startState == 2)
        show = SW_SHOWMINIMIZED;
    else if (moved)
        show = SW_SHOWNORMAL;
    ShowWindow(window, show);

    ShowToolbarWindows(StartupOptions.startState == 2);
    ShowSoftButtonBar(show == SW_SHOWMINIMIZED);
    ShowScreenChildren();

    SwitchGateEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    ProfileGateEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    KeyRepeatGateEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);

    Ctl3dRegister(instance);

    if (StartupOptions.loadWinsockOnStartup)
        SocketStartup();
    return 1;
}

int InitMainWindow(HINSTANCE previous, HINSTANCE instance, HWND window)
{
    MainWindowHandle = window;
    InstanceHandle = instance;
    WheelRollMessage = RegisterWindowMessageW(L"MSWHEEL_ROLLMSG");
    if (!WheelRollMessage)
        return -3;
    if (!RegisterScreenClass(previous, instance, window) || !InitTerminalResources(window))
        return -1;
    BindHookModule();
    UpdateWindowTitle(window);
    CreateSoftButtonBar(window, StartupOptions.startState == 2);
    PrepareScreenWindow();
    RequestedEmulationId = EmulationId.load();
    WriteVersionStamp();
    LoadMouseActions();
    RegisterSessionSlots();
    return 0;
}

int RegisterScreenClass(HINSTANCE previous, HINSTANCE instance, HWND window)
{
    if (!RegisterScreenWindowClass(instance))
        return 0;
    CreateToolbarWindows(previous, instance, window);
    CreateStatusBar(instance);
    if (StartupOptions.scrollBar)
        CreateScrollBar(instance);
    CreateScreenWindow(instance);
    return 1;
}

int InitTerminalResources(HWND window)
{
    SetMaximumLineCount(static_cast<int>(StartupOptions.historyLines));
    Screen.scrollBarOn = StartupOptions.scrollBar ? 1 : 0;
    if (!AllocScreenStore())
        return 0;
    GetCodePageDirectory();
    // Every failure after the store exists releases what was built so far.
    auto fail = [](u32 messageId) {
        if (messageId)
            MessageBoxById(messageId);
        DestroyToolbarResources();
        ShutdownTerminal(0);
        return 0;
    };
    if (!LoadKeyboardResources())
        return fail(kStrCannotLoadKeyboard);
    if (!CreateScreenPalette())
        return fail(kStrPaletteInitError);
    if (!AllocKeyLabelBuffer())
        return fail(0);
    if (!AllocInputQueues())
        return fail(0);
    if (!InitialiseTerminal(1))
        return fail(kStrEmulationInitError);
    StartProgramTimers(window);
    if (EmulationId != kDefaultEmulationId) {
        const u8 configured = EmulationId;
        EmulationId = kDefaultEmulationId;
        RequestEmulation(kDefaultEmulationId, configured);
        SelectEmulation(kDefaultEmulationId, configured);
    }
    StartingUp = 0;
    ApplyStartTarget();
    DetectSoundScheme();
    return 1;
}

void CloseGateEvents()
{
    for (HANDLE* event : {&SwitchGateEvent, &ProfileGateEvent, &KeyRepeatGateEvent, &ActivityEvent}) {
        if (*event)
            CloseHandle(*event);
        *event = nullptr;
    }
}
