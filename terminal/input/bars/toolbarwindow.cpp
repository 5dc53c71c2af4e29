// The attached toolbar and the floating "Button Tools" bar: creating them with the main
// window, switching between them, and the height the terminal area leaves them.
#include <cwchar>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/startopts.h"
#include "terminal/input/bars/toolbarlayout.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/bars/toolbarstate.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

namespace {
constexpr wchar_t kAttachedClass[] = L"vexaNT1";
constexpr wchar_t kFloatingClass[] = L"vexaNT2";
constexpr u32 kStrButtonTools = 2868;
constexpr UINT kSysAttach = 1;

// The floating bar's own move of itself after a reflow is not a user's resize.
bool g_skipSize = false;

// The "Toolbar" section of the current profile, machine-wide values first and the
// user's over them, as the rest of the profile is read.
void LoadToolbarProfile(const wchar_t* profile)
{
    const u32 root = SettingsRootIsUser();
    const u32 keep = KeepCurrentValues;
    if (AdministratorMode == 1 && PerUserProfile == 0) {
        SettingsSelectRoot(0);
        KeepCurrentValues = 0;
        LoadToolbarSettings(profile);
    } else {
        for (u32 pass = 0; pass < 2; ++pass) {
            SettingsSelectRoot(pass);
            KeepCurrentValues = pass;
            LoadToolbarSettings(profile);
        }
    }
    SettingsSelectRoot(root);
    KeepCurrentValues = keep;
}

// Destroys whichever bar window exists (the type stays).
void DestroyBarWindows()
{
    HWND attached = Bars.attached, floating = Bars.floating;
    Bars.attached = Bars.floating = nullptr;
    if (attached)
        DestroyWindow(attached);
    if (floating)
        DestroyWindow(floating);
}

void GiveFocusBack(HWND bar)
{
    if (MainWindowHandle && GetActiveWindow() == bar)
        SetActiveWindow(MainWindowHandle);
}

// The floating bar's window rectangle as it is now, kept as the place to save.
void StoreFloatingRect(HWND bar)
{
    RECT r;
    if (IsIconic(bar) || !GetWindowRect(bar, &r))
        return;
    Bars.floatingRect = ToolbarRect{r.left, r.top, r.right, r.bottom};
}

void Reflow(HWND bar, int width, int height)
{
    const ToolbarRect& stored = Bars.floatingRect;
    const ToolbarSize previous{stored.right - stored.left - Bars.nonClient.cx,
                               stored.bottom - stored.top - Bars.nonClient.cy};
    const ToolbarSize need = ReflowFloatingButtons(Toolbar, ToolbarSize{width, height}, previous,
                                                   GetSystemMetrics(SM_CXMIN) - Bars.nonClient.cx);
    RECT now;
    GetWindowRect(bar, &now);
    const i32 w = need.cx + Bars.nonClient.cx, h = need.cy + Bars.nonClient.cy;
    const bool storedSame = stored.right - stored.left == w && stored.bottom - stored.top == h;
    const bool nowSame = now.right - now.left == w && now.bottom - now.top == h;
    if (storedSame && nowSame) {
        InvalidateRect(bar, nullptr, TRUE);
        return;
    }
    Bars.floatingRect = ToolbarRect{now.left, now.top, now.left + w, now.top + h};
    g_skipSize = true;
    MoveWindow(bar, now.left, now.top, w, h, TRUE);
    g_skipSize = false;
    InvalidateRect(bar, nullptr, TRUE);
}

// The system menu of the floating bar: no restore, size boxes or task switch, and
// "&Attach" before Close.
void EditFloatingMenu(HWND bar)
{
    HMENU menu = GetSystemMenu(bar, FALSE);
    if (!menu)
        return;
    for (UINT item : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_TASKLIST})
        DeleteMenu(menu, item, MF_BYCOMMAND);
    // What is left before Close of the standard menu: Move, Size, a separator.
    const int close = GetMenuItemCount(menu) - 1;
    InsertMenuW(menu, static_cast<UINT>(close), MF_BYPOSITION | MF_STRING, kSysAttach, L"&Attach");
    InsertMenuW(menu, static_cast<UINT>(close + 1), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

LRESULT CALLBACK ButtonBarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: SetWindowTextW(window, L"Button Tools"); return 0;
    case WM_MOVE:
        if (!g_skipSize)
            StoreFloatingRect(window);
        GiveFocusBack(window);
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED && !g_skipSize && Bars.floating == window) {
            Reflow(window, LOWORD(lParam), HIWORD(lParam));
            StoreFloatingRect(window);
        }
        GiveFocusBack(window);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            Bars.type = kToolbarNone;
            Bars.floating = nullptr;
            DestroyWindow(window);
            return 0;
        }
        if (wParam == kSysAttach) {
            SetToolbarType(kToolbarAttached);
            return 0;
        }
        {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            GiveFocusBack(window);
            return result;
        }
    case WM_DESTROY:
        if (Bars.floating == window)
            Bars.floating = nullptr;
        return 0;
    case WM_MOUSEACTIVATE:
        // A click on a button leaves the keyboard with the terminal.
        return LOWORD(lParam) == HTCLIENT ? MA_NOACTIVATE : MA_ACTIVATE;
    default: {
        LRESULT result = 0;
        if (!HandleBarMessage(window, message, wParam, lParam, false, &result))
            return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_LBUTTONUP || message == WM_PAINT)
            GiveFocusBack(window);
        return result;
    }
    }
}

LRESULT CALLBACK ToolbarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && Bars.attached == window)
        Bars.attached = nullptr;
    LRESULT result = 0;
    if (HandleBarMessage(window, message, wParam, lParam, true, &result))
        return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

void RelayoutMainWindow()
{
    if (MainWindowHandle && ScreenWindowHandle && !IsIconic(MainWindowHandle))
        MainWindowSized(MainWindowHandle);
}
}  // namespace

bool RegisterBarClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, int brush, const wchar_t* icon)
{
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon ? LoadIconW(instance, icon) : nullptr;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(brush));
    wc.lpszClassName = name;
    return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool RegisterToolbarClasses(HINSTANCE instance)
{
    return RegisterBarClass(instance, kAttachedClass, ToolbarWndProc, LTGRAY_BRUSH, L"Quorlan") &&
           RegisterBarClass(instance, kFloatingClass, ButtonBarWndProc, LTGRAY_BRUSH, L"Quorlan") &&
           RegisterToolTipClass(instance);
}

HWND CreateToolbarWindow(HINSTANCE instance, HWND mainWindow)
{
    if (Bars.type != kToolbarAttached || Bars.attached)
        return Bars.attached;
    const RECT& r = Bars.attachedRect;
    Bars.attached = CreateWindowExW(0, kAttachedClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS, r.left, r.top,
                                    r.right - r.left, r.bottom - r.top, mainWindow,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarChildId)), instance,
                                    nullptr);
    if (Bars.attached)
        BringWindowToTop(Bars.attached);
    return Bars.attached;
}

HWND CreateButtonBarWindow(HINSTANCE instance, HWND mainWindow)
{
    if (Bars.type != kToolbarFloating || Bars.floating)
        return Bars.floating;
    const ToolbarRect& r = Bars.floatingRect;
    g_skipSize = true;
    Bars.floating = CreateWindowExW(0, kFloatingClass, L" ", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, mainWindow, nullptr,
                                    instance, nullptr);
    g_skipSize = false;
    if (!Bars.floating)
        return nullptr;
    EditFloatingMenu(Bars.floating);
    RECT window, client;
    GetWindowRect(Bars.floating, &window);
    GetClientRect(Bars.floating, &client);
    Bars.nonClient = ToolbarSize{(window.right - window.left) - client.right,
                                 (window.bottom - window.top) - client.bottom};
    UpdateButtonBarCaption();
    BringWindowToTop(Bars.floating);
    return Bars.floating;
}

void CreateToolbarWindows(HINSTANCE, HINSTANCE instance, HWND mainWindow)
{
    if (!RegisterToolbarClasses(instance))
        return;
    InitToolbarButtons(mainWindow);
    LoadToolbarProfile(CurrentProfileName());
    CreateToolbarWindow(instance, mainWindow);
    CreateButtonBarWindow(instance, mainWindow);
}

void ShowToolbarWindows(bool minimised)
{
    // A child of a minimised main window stays out of sight with it; the floating bar
    // is a window of its own and waits.
    if (Bars.attached && !IsWindowVisible(Bars.attached))
        ShowWindow(Bars.attached, SW_SHOWNA);
    if (Bars.floating && !IsWindowVisible(Bars.floating))
        ShowWindow(Bars.floating, minimised ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void SetToolbarType(u32 type)
{
    type = ToolbarTypeFromValue(type);
    if (type == Bars.type && (type == kToolbarNone || Bars.attached || Bars.floating))
        return;
    DestroyToolTip();
    DestroyBarWindows();
    Bars.type = type;
    if (type == kToolbarAttached)
        CreateToolbarWindow(InstanceHandle, MainWindowHandle);
    else if (type == kToolbarFloating)
        CreateButtonBarWindow(InstanceHandle, MainWindowHandle);
    if (MainWindowHandle && !IsIconic(MainWindowHandle) && !ShuttingDown.load())
        ShowToolbarWindows(false);
    RelayoutMainWindow();
}

u32 GetToolbarType()
{
    return Bars.type;
}

int GetToolbarHeight()
{
    if (Bars.type != kToolbarAttached || !Bars.attached)
        return 0;
    return Bars.attachedRect.bottom - Bars.attachedRect.top;
}

bool IsButtonBarWindow(HWND window)
{
    return Bars.type == kToolbarFloating && window && window == Bars.floating;
}

void UpdateButtonBarCaption()
{
    if (Bars.type != kToolbarFloating || !Bars.floating)
        return;
    wchar_t caption[512];
    int n = LoadLanguageString(InstanceHandle, kStrButtonTools, caption, 64);
    if (n <= 0)
        n = static_cast<int>(CopyText(caption, 64, L"Button Tools"));
    wcscpy(caption + n, L" - ");
    n += 3;
    if (MainWindowHandle)
        GetWindowTextW(MainWindowHandle, caption + n, static_cast<int>(std::size(caption)) - n);
    SetWindowTextW(Bars.floating, caption);
}

void DestroyToolbarWindows()
{
    DestroyToolbarResources();
    DestroyBarWindows();
    Bars.type = kToolbarNone;
}

void InvalidateMainWindows()
{
    if (MainWindowHandle)
        InvalidateRect(MainWindowHandle, nullptr, FALSE);
    if (ScreenWindowHandle)
        InvalidateRect(ScreenWindowHandle, nullptr, FALSE);
}
